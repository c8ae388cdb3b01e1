// The start-up from the command line to the main window, on a real database, with the engine
// check, the wait, the network and the message loop replaced where a test must steer them.

#include "SiteChanges.h"
#include "app/DisableFrm.h"
#include "app/LogonFrm.h"
#include "app/MainFrm.h"
#include "app/SplashFrm.h"
#include "app/StartUp.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/EngineVersion.h"
#include "platform/db/Sessions.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/QuorvelApplication.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QString AccessDenied = QStringLiteral("Access Denied To Quorvel, Invalid Login");
const QString EngineMissing = QStringLiteral("This Applicaion Requires the Borland Database 5.0 Or Higher To Be Installed");

QByteArray aliasOf(const DatabaseLocation &location)
{
    return (location.engine == EngineKind::SQLite ? location.directory : location.url.toString()).toUtf8();
}

// A database for the program to start on, found through the alias as the program finds it.
class Site
{
public:
    explicit Site(bool demo = false)
    {
        demo ? database.initDemo() : database.init();
        qputenv(DatabaseLocation::EnvironmentVariable, aliasOf(database.location()));
        connection.Open();
    }

    TestDatabase database;
    TDatabase connection{database.location(), QStringLiteral("quorvel-test")};
};

// What the start-up showed while it ran.
struct Observed
{
    QList<int> waits;
    bool noticeUpDuringWait = false;
    bool mainWindowShown = false;
    QString loggedOnAs;
};

StartUp *prepared(StartUp &startUp, Observed &observed)
{
    startUp.networkPresent = [] { return true; };
    startUp.wait = [&observed](int milliseconds) {
        observed.waits << milliseconds;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *notice = qobject_cast<TDisabledForm *>(window))
                observed.noticeUpDuringWait = notice->isVisible() && notice->Label1->text() == QLatin1String("Logins Disabled");
    };
    startUp.messageLoop = [&observed] {
        observed.mainWindowShown = MainForm && MainForm->isVisible();
        observed.loggedOnAs = CurrentUser.UserID;
        return 0;
    };
    return &startUp;
}

ModalRunnerFunction logIn(const QString &user, const QString &password)
{
    return [=](QDialog &dialog) {
        auto &form = static_cast<TLogonForm &>(dialog);
        form.show();
        form.Edit1->setText(user);
        form.Edit2->setText(password);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        return form.result();
    };
}

ModalRunnerFunction pressCancel()
{
    return [](QDialog &dialog) {
        auto &form = static_cast<TLogonForm &>(dialog);
        form.show();
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        return form.result();
    };
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CurrentUser = TLoginData();
        CurrentSecurity = TSecurityData();
        SystemSettings = TSystemInfo();
        ShowSplash = true;
        qunsetenv("NWUSERNAME");
    }

    void cleanup() { qunsetenv(DatabaseLocation::EnvironmentVariable); }

    void silentStartSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("splash");
        QTest::newRow("-S") << QStringList{"-S"} << false;
        QTest::newRow("/S") << QStringList{"/S"} << false;
        QTest::newRow("-s") << QStringList{"-s"} << false;
        QTest::newRow("/s") << QStringList{"/s"} << false;
        QTest::newRow("among others") << QStringList{"report", "/s", "x"} << false;
        QTest::newRow("-Sx") << QStringList{"-Sx"} << true;
        QTest::newRow("S") << QStringList{"S"} << true;
        QTest::newRow("--S") << QStringList{"--S"} << true;
        QTest::newRow("none") << QStringList{} << true;
    }

    void silentStartSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, splash);
        QCOMPARE(StartUp::SplashWanted(arguments), splash);
    }

    void engineVersionCheck_data()
    {
        QTest::addColumn<std::optional<int>>("version");
        QTest::addColumn<bool>("passes");
        QTest::newRow("500") << std::optional<int>(500) << true;
        QTest::newRow("510") << std::optional<int>(510) << true;
        QTest::newRow("600") << std::optional<int>(600) << true;
        QTest::newRow("400") << std::optional<int>(400) << false;
        QTest::newRow("no version") << std::optional<int>() << false;
    }

    void engineVersionCheck()
    {
        QFETCH(std::optional<int>, version);
        QFETCH(bool, passes);
        Site site(true);
        MessageBoxRecorder messages;
        ModalScript script(logIn(QStringLiteral("Supervisor"), QString()));
        Observed observed;
        StartUp startUp({});
        prepared(startUp, observed)->engineVersion = [version] { return version; };
        startUp.Run();
        if (passes) {
            QCOMPARE(startUp.Outcome(), StartUpOutcome::Ran);
            QVERIFY(messages.shown.isEmpty());
            return;
        }
        QCOMPARE(startUp.Outcome(), StartUpOutcome::EngineMissing);
        QCOMPARE(messages.texts(), QStringList{EngineMissing});
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Error);
        // Nothing else was created or asked.
        QVERIFY(script.shown.isEmpty());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void installedEngineAnswersAndAMissingOneDoesNot()
    {
        Site site;
        StartUp startUp({});
        QCOMPARE(startUp.engineVersion(), std::optional<int>(EngineVersion::Required));
        QVERIFY(!EngineVersion::OfDriver(QStringLiteral("QNOSUCHDRIVER")));
    }

    void splashBarReachesItsLastStep()
    {
        Site site;
        StartUp startUp({});
        OpenSplash(3);
        QVERIFY(OpenedSplash());
        QVERIFY(OpenedSplash()->isVisible());
        QCOMPARE(OpenedSplash()->Gauge1->value(), 0);
        QVERIFY(startUp.CreateMainObjects());
        QCOMPARE(OpenedSplash()->Gauge1->maximum(), 3);
        QCOMPARE(OpenedSplash()->Gauge1->value(), 3);
        QCOMPARE(OpenedSplash()->ProductName->text(), QStringLiteral("Quorvel"));
        QVERIFY(OpenedSplash()->ProductName->sizeHint().width() <= 273 + 2 * OpenedSplash()->ProductName->margin());
        CloseSplash();
        QVERIFY(!OpenedSplash());
    }

    void silentStartShowsNoSplash()
    {
        Site site;
        ShowSplash = false;
        OpenSplash(3);
        QVERIFY(!OpenedSplash());
        StartUp startUp({});
        QVERIFY(startUp.CreateMainObjects());
        QVERIFY(!OpenedSplash());
    }

    void mainObjectsAreCreatedInOrder()
    {
        Site site;
        StartUp startUp({});
        QVERIFY(startUp.CreateMainObjects());
        QVERIFY(MainForm && ProgramDataForm && LogonForm);
        QVERIFY(!MainForm->isVisible());
        QVERIFY(ProgramDataForm->UserSettingsTable.Active() && ProgramDataForm->RestrictTable.Active());
        QVERIFY(!LogonForm->LoggedOn);
    }

    // Other workstations list the program under its network user name until it ends.
    void theProgramIsListedWhileItRuns()
    {
        Site site;
        qputenv("NWUSERNAME", "netbob");
        TSessions observer(site.connection);
        {
            StartUp startUp({});
            const bool created = startUp.CreateMainObjects();
            qunsetenv("NWUSERNAME");
            QVERIFY(created);
            QCOMPARE(observer.Others(), QStringList{"netbob"});
        }
        QCOMPARE(observer.Others(), QStringList());
    }

    void databaseThatCannotBeOpenedEndsTheStart()
    {
        TestDatabase nothingThere;   // no tables created
        qputenv(DatabaseLocation::EnvironmentVariable, aliasOf(nothingThere.location()));
        MessageBoxRecorder messages;
        ModalScript script(logIn(QStringLiteral("Supervisor"), QString()));
        Observed observed;
        StartUp startUp({});
        QCOMPARE(prepared(startUp, observed)->Run(), 1);
        QCOMPARE(startUp.Outcome(), StartUpOutcome::DatabaseFailed);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Error);
        QVERIFY(messages.shown.at(0).text.contains(nothingThere.location().describe()));
        QVERIFY(script.shown.isEmpty());
        QVERIFY(!observed.mainWindowShown);
        QVERIFY(!OpenedSplash());
        QVERIFY(!MainForm && !ProgramDataForm && !LogonForm);
    }

    void loneSupervisorStartsStraightIntoTheMainWindow()
    {
        Site site;
        MessageBoxRecorder messages;
        ModalScript script(logIn(QStringLiteral("x"), QStringLiteral("y")));
        Observed observed;
        StartUp startUp({});
        QCOMPARE(prepared(startUp, observed)->Run(), 0);
        QCOMPARE(startUp.Outcome(), StartUpOutcome::Ran);
        QVERIFY(script.shown.isEmpty());
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(observed.mainWindowShown);
        QCOMPARE(observed.loggedOnAs, QStringLiteral("Supervisor"));
        QVERIFY(!OpenedSplash());
        QVERIFY(!MainForm && !ProgramDataForm && !LogonForm);
    }

    void refusedLogOnEndsWithAccessDenied_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << true;
        QTest::newRow("wrong password") << false;
    }

    void refusedLogOnEndsWithAccessDenied()
    {
        QFETCH(bool, cancel);
        Site site(true);
        storeSetting(site.connection, "AutoLogon", false);
        // Refusal is reported before, and instead of, the logins-disabled notice.
        storeSetting(site.connection, "DisableLogin", true);
        MessageBoxRecorder messages;
        ModalScript script(cancel ? pressCancel() : logIn(QStringLiteral("ADMIN"), QStringLiteral("Admin")));
        Observed observed;
        StartUp startUp({});
        QCOMPARE(prepared(startUp, observed)->Run(), 1);
        QCOMPARE(startUp.Outcome(), StartUpOutcome::AccessDenied);
        QCOMPARE(script.shown, QStringList{QStringLiteral("TLogonForm")});
        QCOMPARE(messages.texts(), QStringList{AccessDenied});
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Error);
        QVERIFY(observed.waits.isEmpty());
        QVERIFY(!observed.mainWindowShown);
    }

    void loginsDisabled_data()
    {
        QTest::addColumn<bool>("loneSupervisor");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("entered");
        QTest::newRow("master profile typed") << false << "supervisor" << "" << true;
        QTest::newRow("other profile typed") << false << "tbrown" << "tom" << false;
        QTest::newRow("lone default supervisor") << true << "" << "" << false;
    }

    void loginsDisabled()
    {
        QFETCH(bool, loneSupervisor);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, entered);
        Site site(!loneSupervisor);
        storeSetting(site.connection, "AutoLogon", false);
        storeSetting(site.connection, "DisableLogin", true);
        MessageBoxRecorder messages;
        ModalScript script(logIn(user, password));
        Observed observed;
        StartUp startUp({});
        const int exitCode = prepared(startUp, observed)->Run();
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(observed.mainWindowShown, entered);
        if (entered) {
            QCOMPARE(exitCode, 0);
            QVERIFY(observed.waits.isEmpty());
            return;
        }
        QCOMPARE(exitCode, 1);
        QCOMPARE(startUp.Outcome(), StartUpOutcome::LoginsDisabled);
        QCOMPARE(observed.waits, QList<int>{5000});
        QVERIFY(observed.noticeUpDuringWait);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void helpFileCountsOnlyInTheWorkingDirectory()
    {
        const QString previous = QDir::currentPath();
        QTemporaryDir here;
        QDir::setCurrent(here.path());
        // Beside the program file it does not count.
        const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/Quorvel.hlp");
        QFile(besideProgram).open(QIODevice::WriteOnly);
        LocateHelpFile();
        QFile::remove(besideProgram);
        const bool foundBesideProgram = HelpFilePresent;
        QFile(here.filePath(QStringLiteral("Quorvel.hlp"))).open(QIODevice::WriteOnly);
        LocateHelpFile();
        QDir::setCurrent(previous);
        QVERIFY(!foundBesideProgram);
        QVERIFY(HelpFilePresent);
    }

    void engineErrorDuringTheStartIsReported()
    {
        Site site;
        MessageBoxRecorder messages;
        Observed observed;
        StartUp startUp({});
        prepared(startUp, observed)->networkPresent = []() -> bool {
            throw EDatabaseError(QStringLiteral("Network initialization failed"));
        };
        site.connection.exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"SecurityID\") VALUES (?, ?)"),
                             {QStringLiteral("SECOND"), 1});
        QCOMPARE(startUp.Run(), 1);
        QCOMPARE(startUp.Outcome(), StartUpOutcome::Failed);
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Network initialization failed")});
        QVERIFY(!MainForm && !ProgramDataForm && !LogonForm);
    }
};

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
