#include "platform/ui/HelpFile.h"

#include "platform/sys/FilesAndClock.h"

#include <QDir>

bool HelpFilePresent = false;

namespace {

QString &locatedPath()
{
    static QString path;
    return path;
}

} // namespace

void LocateHelpFile()
{
    locatedPath() = QDir::current().absoluteFilePath(QString::fromLatin1(HelpFileName));
    HelpFilePresent = FilesAndClock::FileExists(locatedPath());
}

QString HelpFilePath()
{
    return locatedPath();
}
