#pragma once

#include <QString>
#include <QtGlobal>

// Files and time as the program sees them: its directories, file checks and a millisecond clock.
namespace FilesAndClock {

// The system's temporary directory, always ending in a separator.
QString TemporaryDirectory();
// The directory holding the program file, always ending in a separator.
QString ProgramDirectory();

bool FileExists(const QString &path);
// The size in bytes, or -1 when there is no such file.
qint64 FileSize(const QString &path);

// Milliseconds since an arbitrary fixed point; never goes backwards.
qint64 TickCount();
// Blocks the calling thread for the given time, measured on TickCount. Nothing is painted and no
// input is handled meanwhile.
void WaitMilliseconds(int milliseconds);

} // namespace FilesAndClock
