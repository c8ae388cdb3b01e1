// quorvel-admin-screenshots: opens the users window (and from it the logged-in users), the own
// settings window and the database information from the main window's commands on an existing
// database, without a display, and saves them as PNG files for the documentation.
//
//   quorvel-admin-screenshots DATABASE [DIRECTORY]     (default directory: docs)
//
// DATABASE is a location as quorvel-db takes it, best a demo site (quorvel-db demo DATABASE). Two
// more workstations are connected for the logged-in list.

#include "admin/AdmSettings.h"
#include "admin/InformationFrm.h"
#include "admin/LoggedInUsersFrm.h"
#include "admin/UserSettingsForm.h"
#include "app/Logon.h"
#include "app/MainFrm.h"
#include "ShotTool.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Sessions.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QuorvelApplication.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <memory>

namespace {

void save(QWidget &window, const QDir &directory, const char *name)
{
    const QString path = directory.filePath(QLatin1String(name));
    if (!window.grab().save(path))
        throw EDatabaseError(QStringLiteral("Could not write %1").arg(path));
    QTextStream(stdout) << "Wrote " << QDir::toNativeSeparators(path) << "\n";
}

// Another workstation, registered under a network user name for as long as it lives.
struct Workstation
{
    Workstation(const DatabaseLocation &location, const QString &userName) : database(location), sessions(database)
    {
        database.Open();
        sessions.Register(userName);
    }
    TDatabase database;
    TSessions sessions;
};

class AdminShots
{
public:
    explicit AdminShots(const QString &directory) : m_directory(directory)
    {
        m_directory.mkpath(QStringLiteral("."));
        SetModalRunner([this](QDialog &dialog) { return take(dialog); });
    }
    ~AdminShots() { SetModalRunner({}); }

private:
    int take(QDialog &dialog)
    {
        dialog.show();
        if (auto *users = qobject_cast<TSetupUsersForm *>(&dialog)) {
            save(dialog, m_directory, "users.png");
            users->LoggedInUsers->click();
        } else if (qobject_cast<TLoggedInUsersForm *>(&dialog)) {
            save(dialog, m_directory, "logged-in-users.png");
        } else if (auto *own = qobject_cast<TUserForm *>(&dialog)) {
            own->Password->setText(QStringLiteral("secret"));
            own->VerifyPassword->setText(QStringLiteral("secret"));
            save(dialog, m_directory, "user-settings.png");
        } else if (auto *information = qobject_cast<TInformationForm *>(&dialog)) {
            information->FormActivate();
            save(dialog, m_directory, "database-information.png");
        }
        return QDialog::Rejected;
    }

    QDir m_directory;
};

void takeAll(const QString &database, const QString &directory)
{
    ShotSite site(database, QStringLiteral("ADMIN"), QStringLiteral("admin"), true);
    TProgramDataForm &data = site.data;
    data.Sessions.Register(QStringLiteral("admin"));
    const Workstation mary(data.ScheduleDatabase.location(), QStringLiteral("mjones"));
    const Workstation visitor(data.ScheduleDatabase.location(), QStringLiteral("visitor"));
    TMainForm main;
    main.FormActivate();

    AdminShots shots(directory);
    main.UserSetup1->trigger();
    main.UserSettings1->trigger();
    main.Information1->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    return RunScreenshotTool(argc, argv, "quorvel-admin-screenshots", takeAll);
}
