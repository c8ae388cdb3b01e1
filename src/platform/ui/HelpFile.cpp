#include "platform/ui/HelpFile.h"

#include "platform/sys/FilesAndClock.h"

#include <QDir>

bool HelpFilePresent = false;

void LocateHelpFile()
{
    HelpFilePresent = FilesAndClock::FileExists(QDir::current().absoluteFilePath(QString::fromLatin1(HelpFileName)));
}
