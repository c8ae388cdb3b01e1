// quorvel-screenshots: draws the program's windows on a demo database, without a display, and
// saves them as PNG files for the documentation.
//
//   quorvel-screenshots [DIRECTORY]     (default: docs)

#include "app/AboutFrm.h"
#include "app/DisableFrm.h"
#include "app/Logon.h"
#include "app/LogonFrm.h"
#include "app/MainFrm.h"
#include "app/SplashFrm.h"
#include "data/DatabaseSetup.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/QuorvelApplication.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class Shots
{
public:
    explicit Shots(const QString &directory) : m_directory(directory) { m_directory.mkpath(QStringLiteral(".")); }

    void save(const QPixmap &picture, const char *name)
    {
        const QString path = m_directory.filePath(QLatin1String(name));
        if (!picture.save(path))
            throw EDatabaseError(QStringLiteral("Could not write %1").arg(path));
        QTextStream(stdout) << "Wrote " << QDir::toNativeSeparators(path) << "\n";
    }

    void save(QWidget &window, const char *name)
    {
        window.show();
        save(window.grab(), name);
    }

private:
    QDir m_directory;
};

// The main window with one of its menus dropped down, as one picture.
QPixmap withMenuOpen(TMainForm &form, QMenu *menu)
{
    form.show();
    const QRect title = form.MainMenu1->actionGeometry(menu->menuAction());
    const QPoint topLeft = form.MainMenu1->mapTo(&form, title.bottomLeft());
    menu->popup(form.mapToGlobal(topLeft));
    QPixmap picture = form.grab();
    QPainter painter(&picture);
    painter.drawPixmap(topLeft, menu->grab());
    menu->hide();
    return picture;
}

void takeAll(Shots &shots)
{
    QTemporaryDir site;
    const DatabaseLocation location = DatabaseLocation::parse(site.path());
    DatabaseSetup::Init(location);
    {
        TDatabase database(location, QStringLiteral("quorvel-screenshots"));
        database.Open();
        DatabaseSetup::SeedDemo(database, QString());
    }
    TProgramDataForm data(location);
    ProgramDataForm = &data;
    data.DataModuleCreate();
    LoadSystemSettings();

    TSplashForm splash;
    splash.Gauge1->setRange(0, 3);
    splash.Gauge1->setValue(2);
    shots.save(splash, "splash.png");

    TLogonForm logon;
    logon.Edit1->setText(QStringLiteral("mjones"));
    logon.Edit2->setText(QStringLiteral("mary"));
    shots.save(logon, "logon.png");

    // A member of staff: the commands that need rights they lack are greyed out.
    CheckAccount(QStringLiteral("mjones"), QStringLiteral("mary"), true);
    TMainForm main;
    main.FormActivate();
    shots.save(withMenuOpen(main, main.File1), "main-window.png");
    shots.save(withMenuOpen(main, main.Schedule1), "main-window-schedule.png");

    TAboutBox about(&main);
    shots.save(about, "about.png");

    // The help window reads the manual where a site keeps it, in the working directory.
    const QString workingDirectory = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(QUORVEL_DOCS));
    LocateHelpFile();
    THelpForm help(&main);
    help.ShowPage(QStringLiteral("TMainForm"));
    shots.save(help, "help.png");
    QDir::setCurrent(workingDirectory);

    TDisabledForm disabled;
    shots.save(disabled, "logins-disabled.png");

    TProgressNotice notice(&main, QStringLiteral("Please Wait Building Schedule Table"));
    shots.save(*MessageForm, "progress-notice.png");
    ProgramDataForm = nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TQuorvelApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    const QStringList arguments = QApplication::arguments().mid(1);
    Shots shots(arguments.value(0, QStringLiteral("docs")));
    try {
        takeAll(shots);
    } catch (const std::exception &error) {
        QTextStream(stderr) << "quorvel-screenshots: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
