// The log-on: the lone default supervisor, the log-on window, automatic log-on from the network
// user name, and who may enter while logins are disabled.

#include "SiteChanges.h"
#include "app/Logon.h"
#include "app/LogonFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/sys/NetworkIdentity.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct WindowUse
{
    bool closedAfterLogin = false;
};

// Types into the log-on window and presses Enter, as a person at the keyboard would.
ModalRunnerFunction typeAndPressEnter(const QString &user, const QString &password, WindowUse *use = nullptr)
{
    return [=](QDialog &dialog) {
        auto &form = static_cast<TLogonForm &>(dialog);
        form.show();
        QTest::keyClicks(form.Edit1, user);
        QTest::keyClicks(form.Edit2, password);
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        if (use)
            use->closedAfterLogin = !form.isVisible();
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

// Stores a settings switch and lets the data module's settings table see it, as it would when the
// program starts.
void changeSetting(TestSite &site, const char *field, bool value)
{
    storeSetting(site.data().ScheduleDatabase, field, value);
    site.data().SettingsTable.Refresh();
}

int accountCount(TProgramDataForm &data)
{
    QSqlQuery count = data.ScheduleDatabase.exec(QStringLiteral("SELECT COUNT(*) FROM \"User\""));
    count.next();
    return count.value(0).toInt();
}

} // namespace

class TestLogon : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CurrentUser = TLoginData();
        CurrentSecurity = TSecurityData();
        SystemSettings = TSystemInfo();
        qunsetenv("NWUSERNAME");
    }

    void cleanup() { qunsetenv("NWUSERNAME"); }

    void onlyDefaultSupervisorNeedsExactlyThatOneAccount()
    {
        TestSite site;
        TDatabase &db = site.data().ScheduleDatabase;
        QVERIFY(OnlyDefaultSupervisor());

        db.exec(QStringLiteral("UPDATE \"User\" SET \"UserPassword\" = ?"), {QStringLiteral("secret")});
        QVERIFY(!OnlyDefaultSupervisor());

        // Stored in other letters and without a password ever set, it is still the default account.
        removeAccount(db, QStringLiteral("Supervisor"));
        addAccount(db, QStringLiteral("supervisor"), QVariant(), 0);
        QVERIFY(OnlyDefaultSupervisor());

        addAccount(db, QStringLiteral("MJONES"), QStringLiteral("mary"), 0);
        QVERIFY(!OnlyDefaultSupervisor());

        removeAccount(db, QStringLiteral("MJONES"));
        removeAccount(db, QStringLiteral("supervisor"));
        addAccount(db, QStringLiteral("MJONES"), QString(), 0);
        QVERIFY(!OnlyDefaultSupervisor());
        removeAccount(db, QStringLiteral("MJONES"));
        QVERIFY(!OnlyDefaultSupervisor());
    }

    void loneSupervisorEntersWithoutTheWindow_data()
    {
        QTest::addColumn<bool>("autoLogon");
        QTest::addColumn<bool>("network");
        QTest::newRow("automatic log-on on") << true << true;
        QTest::newRow("automatic log-on off") << false << true;
        QTest::newRow("no network") << false << false;
    }

    void loneSupervisorEntersWithoutTheWindow()
    {
        QFETCH(bool, autoLogon);
        QFETCH(bool, network);
        TestSite site;
        changeSetting(site, "AutoLogon", autoLogon);
        changeSetting(site, "DisableLogin", true);
        LoadSystemSettings();
        qputenv("NWUSERNAME", "someone");
        ModalScript script(pressCancel());
        TLogonForm form;
        form.LogOn(network);
        QVERIFY(form.LoggedOn);
        QVERIFY(script.shown.isEmpty());
        QCOMPARE(CurrentUser.UserID, QStringLiteral("Supervisor"));
        QCOMPARE(CurrentSecurity.SecurityID, 0);
        // Not cleared for this user: the start-up shows the logins-disabled notice.
        QVERIFY(SystemSettings.DisableLogin);
    }

    void logonWindowStartsEmptyWithItsPasswordHidden()
    {
        TestSite site;
        TLogonForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Logon"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Quorvel"));
        QCOMPARE(form.Label2->text(), QStringLiteral("Logon"));
        QVERIFY(form.Edit1->text().isEmpty());
        QVERIFY(form.Edit2->text().isEmpty());
        QCOMPARE(form.Edit2->echoMode(), QLineEdit::Password);
        QCOMPARE(form.BitBtn1->text(), QStringLiteral("Login"));
        QVERIFY(form.BitBtn1->isDefault());
        QCOMPARE(form.BitBtn2->text(), QStringLiteral("Cancel"));
        QVERIFY(!form.LoggedOn);
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    void typedAccountsAreCheckedOnce_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("loggedOnAs");   // empty: refused
        QTest::newRow("as stored") << "ADMIN" << "admin" << "ADMIN";
        QTest::newRow("user ID in small letters") << "mjones" << "mary" << "MJONES";
        QTest::newRow("supervisor in small letters") << "supervisor" << "" << "Supervisor";
        QTest::newRow("password in other letters") << "MJONES" << "Mary" << "";
        QTest::newRow("password with a trailing space") << "ADMIN" << "admin " << "";
        QTest::newRow("user ID with a leading space") << " ADMIN" << "admin" << "";
        QTest::newRow("empty password for an account with one") << "ADMIN" << "" << "";
        QTest::newRow("unknown user") << "NOBODY" << "" << "";
        QTest::newRow("quote ending the user ID") << "ADMIN\") or (\"\"=\"" << "x" << "";
        QTest::newRow("always-true password") << "ADMIN" << "\" or \"\"=\"" << "";
        QTest::newRow("always-true password, single quotes") << "ADMIN" << "' or '1'='1" << "";
        QTest::newRow("second statement") << "ADMIN\"; DELETE FROM \"User\"; --" << "x" << "";
    }

    void typedAccountsAreCheckedOnce()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, loggedOnAs);
        TestSite site(true);
        changeSetting(site, "AutoLogon", false);
        const int accounts = accountCount(site.data());
        WindowUse use;
        ModalScript script(typeAndPressEnter(user, password, &use));
        TLogonForm form;
        form.LogOn(true);
        QCOMPARE(script.shown, QStringList{QStringLiteral("TLogonForm")});
        QVERIFY(use.closedAfterLogin);
        QCOMPARE(form.LoggedOn, !loggedOnAs.isEmpty());
        if (form.LoggedOn)
            QCOMPARE(CurrentUser.UserID, loggedOnAs);
        QCOMPARE(accountCount(site.data()), accounts);
    }

    void logOnLoadsTheUserRightsAndAllowedResources()
    {
        TestSite site(true);
        QVERIFY(CheckAccount(QStringLiteral("mjones"), QStringLiteral("mary"), true));
        QCOMPARE(CurrentUser.UserID, QStringLiteral("MJONES"));
        QCOMPARE(CurrentUser.UserName, QStringLiteral("Mary Jones"));
        QCOMPARE(CurrentSecurity.Description, QStringLiteral("Staff"));
        QVERIFY(CurrentSecurity.CanAddSchedule && !CurrentSecurity.CanChangeSystem);
        QSqlQuery boardRoom = site.data().ScheduleDatabase.exec(
            QStringLiteral("SELECT \"ResourceID\" FROM \"Resource\" WHERE \"Description\" = ?"), {QStringLiteral("Board Room")});
        QVERIFY(boardRoom.next());
        QCOMPARE(site.data().AllowedResources, QStringList{boardRoom.value(0).toString()});

        QVERIFY(!CheckAccount(QStringLiteral("mjones"), QStringLiteral("wrong"), true));
        QCOMPARE(CurrentUser.SecurityID, -1);
        QVERIFY(CurrentUser.UserName.isEmpty());
    }

    void emptyPasswordMatchesOneNeverSet_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("empty text") << QVariant(QStringLiteral(""));
        QTest::newRow("never set") << QVariant();
    }

    void emptyPasswordMatchesOneNeverSet()
    {
        QFETCH(QVariant, stored);
        TestSite site(true);
        addAccount(site.data().ScheduleDatabase, QStringLiteral("KIOSK"), stored, 2);
        QVERIFY(CheckAccount(QStringLiteral("kiosk"), QString(), true));
        QVERIFY(CheckAccount(QStringLiteral("kiosk"), QStringLiteral(""), true));
        QVERIFY(!CheckAccount(QStringLiteral("kiosk"), QStringLiteral("x"), true));
    }

    void quotesInAccountsAreOnlyText()
    {
        TestSite site(true);
        addAccount(site.data().ScheduleDatabase, QStringLiteral("o\"neil"), QStringLiteral("p'w\"d"), 2);
        QVERIFY(CheckAccount(QStringLiteral("O\"Neil"), QStringLiteral("p'w\"d"), true));
        QCOMPARE(CurrentUser.UserID, QStringLiteral("o\"neil"));
        QVERIFY(!CheckAccount(QStringLiteral("o\"neil"), QStringLiteral("p'w\""), true));
    }

    void automaticLogOn_data()
    {
        QTest::addColumn<bool>("autoLogon");
        QTest::addColumn<bool>("network");
        QTest::addColumn<QString>("networkName");   // empty: NWUSERNAME not set
        QTest::addColumn<QString>("loggedOnAs");    // empty: the window is shown
        QTest::newRow("network name in other letters") << true << true << "tbrown" << "TBROWN";
        QTest::newRow("operating system name") << true << true << "" << "<os>";
        QTest::newRow("network name of no account") << true << true << "nobody" << "";
        QTest::newRow("automatic log-on off") << false << true << "tbrown" << "";
        QTest::newRow("no network") << true << false << "tbrown" << "";
    }

    void automaticLogOn()
    {
        QFETCH(bool, autoLogon);
        QFETCH(bool, network);
        QFETCH(QString, networkName);
        QFETCH(QString, loggedOnAs);
        TestSite site(true);
        TDatabase &db = site.data().ScheduleDatabase;
        changeSetting(site, "AutoLogon", autoLogon);
        if (loggedOnAs == QLatin1String("<os>")) {
            loggedOnAs = NetworkIdentity::OperatingSystemUserName();
            addAccount(db, loggedOnAs, QStringLiteral("unused"), 2);
        }
        if (!networkName.isEmpty())
            qputenv("NWUSERNAME", networkName.toUtf8());
        ModalScript script(pressCancel());
        TLogonForm form;
        form.LogOn(network);
        QCOMPARE(form.LoggedOn, !loggedOnAs.isEmpty());
        QCOMPARE(script.shown.isEmpty(), !loggedOnAs.isEmpty());
        if (form.LoggedOn)
            QCOMPARE(CurrentUser.UserID, loggedOnAs);
    }

    // With automatic log-on off the automatic check has no name to try; an account whose user ID is
    // empty must not open for it without its password.
    void accountWithoutUserIDIsNeverLoggedOnAutomatically()
    {
        TestSite site(true);
        addAccount(site.data().ScheduleDatabase, QStringLiteral(""), QStringLiteral("secret"), 0);
        changeSetting(site, "AutoLogon", false);
        TLogonForm form;
        form.CheckAutoLogin();
        QVERIFY(!form.LoggedOn);
    }

    void masterProfileMayEnterWhileLoginsAreDisabled_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("stillDisabled");
        QTest::newRow("typed, master profile") << false << "Supervisor" << "" << false;
        QTest::newRow("typed, other profile") << false << "RDESK" << "desk" << true;
        QTest::newRow("automatic, master profile") << true << "BOSS" << "" << false;
        QTest::newRow("automatic, other profile") << true << "RDESK" << "" << true;
    }

    void masterProfileMayEnterWhileLoginsAreDisabled()
    {
        QFETCH(bool, automatic);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, stillDisabled);
        TestSite site(true);
        TDatabase &db = site.data().ScheduleDatabase;
        addAccount(db, QStringLiteral("BOSS"), QStringLiteral("boss"), 0);
        changeSetting(site, "AutoLogon", automatic);
        changeSetting(site, "DisableLogin", true);
        if (automatic)
            qputenv("NWUSERNAME", user.toUtf8());
        // Each check reads the stored flag afresh.
        SystemSettings.DisableLogin = false;
        ModalScript script(typeAndPressEnter(user, password));
        TLogonForm form;
        form.LogOn(true);
        QVERIFY(form.LoggedOn);
        QCOMPARE(script.shown.isEmpty(), automatic);
        QCOMPARE(SystemSettings.DisableLogin, stillDisabled);
    }
};

QTEST_MAIN(TestLogon)
#include "tst_logon.moc"
