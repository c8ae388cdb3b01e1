#include "platform/sys/FilesAndClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace FilesAndClock {

namespace {

QString withTrailingSeparator(const QString &directory)
{
    const QString native = QDir::toNativeSeparators(directory);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

} // namespace

QString TemporaryDirectory()
{
    return withTrailingSeparator(QDir::tempPath());
}

QString ProgramDirectory()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

bool FileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

qint64 FileSize(const QString &path)
{
    return FileExists(path) ? QFileInfo(path).size() : -1;
}

qint64 TickCount()
{
    // The monotonic clock's reference is the system start, as a tick counter's is.
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

void WaitMilliseconds(int milliseconds)
{
    const qint64 end = TickCount() + milliseconds;
    // Sleeping in between keeps the wait from spinning a processor core.
    for (qint64 left = end - TickCount(); left > 0; left = end - TickCount())
        QThread::msleep(static_cast<unsigned long>(left));
}

} // namespace FilesAndClock
