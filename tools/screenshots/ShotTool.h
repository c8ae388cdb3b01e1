#pragma once

// What the screenshot programs that draw windows of an existing site share: the start of the
// program with its arguments and error reporting, and the site opened and logged on to.

#include "app/Logon.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/ui/QuorvelApplication.h"

#include <QApplication>
#include <QTextStream>
#include <functional>

// The data module open on the site and installed for the windows, with the settings loaded and the
// given account logged on; a site without that account is an error naming it.
class ShotSite
{
public:
    ShotSite(const QString &database, const QString &userID, const QString &password, bool automatic)
        : data(DatabaseLocation::parse(database))
    {
        ProgramDataForm = &data;
        data.DataModuleCreate();
        LoadSystemSettings();
        if (!CheckAccount(userID, password, automatic))
            throw EDatabaseError(QStringLiteral("%1 has no account %2: make it with quorvel-db demo").arg(database, userID));
    }
    ~ShotSite() { ProgramDataForm = nullptr; }
    ShotSite(const ShotSite &) = delete;
    ShotSite &operator=(const ShotSite &) = delete;

    TProgramDataForm data;
};

// Runs "name DATABASE [DIRECTORY]" without a display (the directory defaults to docs); returns the
// exit code.
inline int RunScreenshotTool(int argc, char *argv[], const char *name,
                             const std::function<void(const QString &database, const QString &directory)> &takeAll)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TQuorvelApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        QTextStream(stderr) << "Usage: " << name << " DATABASE [DIRECTORY]\n";
        return 2;
    }
    try {
        takeAll(arguments.at(0), arguments.value(1, QStringLiteral("docs")));
    } catch (const std::exception &error) {
        QTextStream(stderr) << name << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
