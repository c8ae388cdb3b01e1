// The account windows: who the users window shows to whom, the protected built-in account, a
// renamed account taking its bookings and stamps along, the own password with its check, and the
// list of logged-in users.

#include "admin/AdmSettings.h"
#include "admin/DeleteOldFrm.h"
#include "admin/InformationFrm.h"
#include "admin/LoggedInUsersFrm.h"
#include "admin/UserSettingsForm.h"
#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Sessions.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

Q_DECLARE_METATYPE(MessageResult)

namespace {

// Profiles: the master profile 0 and "Clerks". Accounts: Supervisor and boss (master profile),
// carol and bob (Clerks), nobody (no profile). bob has a booking, a restricted-access row and
// the stamps of a type, a resource and the booking.
class Fixture
{
public:
    Fixture()
    {
        clerks = add(data.SecurityTable, {{"Description", "Clerks"}}, "SecurityID").toInt();
        addUser("boss", "Big Boss", 0);
        addUser("carol", "Carol Clerk", clerks);
        addUser("bob", "Bob Builder", clerks);
        add(data.UserSettingsTable, {{"UserID", "nobody"}, {"UserName", "No Profile"}}, "UserID");
        logOnAs("bob", clerks);
        const QVariant type = add(data.TypeTable, {{"Description", "Rooms"}}, "TypeID");
        const QVariant room = add(data.ResourceTable, {{"Description", "Room"}, {"TypeID", type}}, "ResourceID");
        add(data.ScheduleTable, {{"ResourceID", room}, {"ReservedBy", "bob"}, {"ScheduleDate", 47000.0}}, "Sequence");
        data.RestrictResourceID = room.toInt();
        add(data.RestrictTable, {{"UserID", "bob"}}, "Sequence");
    }

    void addUser(const char *id, const char *name, int profile)
    {
        add(data.UserSettingsTable, {{"UserID", id}, {"UserName", name}, {"SecurityID", profile}}, "UserID");
    }

    QVariant add(TTable &table, const QList<QPair<const char *, QVariant>> &fields, const char *key)
    {
        table.Append();
        for (const auto &[name, value] : fields)
            table.SetFieldValue(QString::fromLatin1(name), value);
        table.Post();
        return table.FieldValue(QString::fromLatin1(key));
    }

    void logOnAs(const QString &userID, int profile)
    {
        CurrentUser = TLoginData{userID, profile, QStringLiteral("Logged On"), QString()};
        LoadSecurityProfile(profile);
    }

    void showUser(const QString &userID)
    {
        TTable &users = data.UserSettingsTable;
        QVERIFY(users.GotoRecord(*users.LookupRecord(QStringLiteral("UserID"), userID)));
    }

    void renameUser(const QString &from, const QString &to)
    {
        showUser(from);
        data.UserSettingsTable.Edit();
        data.UserSettingsTable.SetFieldValue(QStringLiteral("UserID"), to);
        data.UserSettingsTable.Post();
    }

    // How many rows of a table hold the value in the field, read afresh from the database.
    int stored(const char *table, const char *field, const QString &value)
    {
        TQuery query(data.ScheduleDatabase);
        query.Add(QStringLiteral("Select Count(*) As N From \"%1\" Where %2 = :Value").arg(table, field));
        query.SetParam(QStringLiteral("Value"), value);
        query.Open();
        return FieldValue::asInteger(query.FieldValue(QStringLiteral("N")));
    }

    QString storedPassword(const QString &userID)
    {
        TQuery query(data.ScheduleDatabase);
        query.Add(QStringLiteral("Select UserPassword From \"User.db\" Where UserID = :UserID"));
        query.SetParam(QStringLiteral("UserID"), userID);
        query.Open();
        return FieldValue::asString(query.FieldValue(QStringLiteral("UserPassword")));
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    int clerks = 0;
};

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

QStringList visibleUserIDs(TTable &users)
{
    QStringList ids;
    for (const TRecord &row : users.VisibleRows(0, users.RecordCount()))
        ids << FieldValue::asString(row.FieldValue(QStringLiteral("UserID")));
    ids.sort();
    return ids;
}

QStringList listedProfiles(const TDBLookupComboBox &list)
{
    QStringList profiles;
    for (int i = 0; i < list.count(); ++i)
        profiles << list.itemText(i);
    profiles.sort();
    return profiles;
}

bool showsButtonFace(const QWidget &control)
{
    return control.palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Button);
}

} // namespace

class TestUsers : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("User Settings") << "UserSettings1" << "TUserForm";
        QTest::newRow("User Setup") << "UserSetup1" << "TSetupUsersForm";
        QTest::newRow("Information") << "Information1" << "TInformationForm";
        QTest::newRow("Delete Old Schedules") << "DeleteOldSchedules1" << "TDeleteOldForm";
    }

    void mainWindowOpensTheWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        TMainForm main;
        main.ApplyRights();
        QPointer<QDialog> opened;
        QWidget *owner = nullptr;
        ModalScript windows([&](QDialog &dialog) {
            opened = &dialog;
            owner = dialog.parentWidget();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(command)->trigger();
        QCOMPARE(windows.shown, QStringList{window});
        QCOMPARE(owner, &main);
        QVERIFY(!opened);
    }

    void usersWindowHidesTheMasterProfileFromOthers_data()
    {
        QTest::addColumn<bool>("master");
        QTest::addColumn<QStringList>("accounts");
        QTest::addColumn<QStringList>("profiles");
        QTest::newRow("master profile") << true << QStringList{"Supervisor", "bob", "boss", "carol", "nobody"}
                                        << QStringList{"Clerks", "Master"};
        QTest::newRow("other profile") << false << QStringList{"bob", "carol"} << QStringList{"Clerks"};
    }

    void usersWindowHidesTheMasterProfileFromOthers()
    {
        QFETCH(bool, master);
        QFETCH(QStringList, accounts);
        QFETCH(QStringList, profiles);
        Fixture site;
        site.logOnAs(master ? QStringLiteral("Supervisor") : QStringLiteral("bob"), master ? 0 : site.clerks);
        {
            TSetupUsersForm form;
            QCOMPARE(visibleUserIDs(site.data.UserSettingsTable), accounts);
            QCOMPARE(listedProfiles(*form.DBLookupComboBox1), profiles);
            form.reject();
        }
        QVERIFY(!site.data.UserSettingsTable.Filtered());
        QVERIFY(!site.data.SecurityTable.Filtered());
    }

    // The own settings window filters the users by one ID; the users window must not inherit that.
    void usersWindowAfterTheOwnSettingsWindow()
    {
        Fixture site;
        site.logOnAs(QStringLiteral("bob"), site.clerks);
        {
            TUserForm own;
            QCOMPARE(visibleUserIDs(site.data.UserSettingsTable), QStringList{"bob"});
            own.reject();
        }
        TSetupUsersForm users;
        QCOMPARE(visibleUserIDs(site.data.UserSettingsTable), (QStringList{"bob", "carol"}));
    }

    void onlyTheBuiltInAccountIsProtected_data()
    {
        QTest::addColumn<QString>("visitedBefore");
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("protectedAccount");
        QTest::newRow("Supervisor") << "bob" << "Supervisor" << true;
        QTest::newRow("SUPERVISOR") << "bob" << "SUPERVISOR" << false;
        QTest::newRow("bob after Supervisor") << "Supervisor" << "bob" << false;
    }

    void onlyTheBuiltInAccountIsProtected()
    {
        QFETCH(QString, visitedBefore);
        QFETCH(QString, account);
        QFETCH(bool, protectedAccount);
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        if (account == QLatin1String("SUPERVISOR"))   // user IDs are unique without regard to case
            site.renameUser(QStringLiteral("Supervisor"), account);
        TSetupUsersForm form;
        site.showUser(visitedBefore);   // the rule must follow every move
        site.showUser(account);
        QCOMPARE(form.DBEdit1->isEnabled(), !protectedAccount);
        QCOMPARE(form.DeleteB->isEnabled(), !protectedAccount);
        QCOMPARE(form.DBLookupComboBox1->isEnabled(), !protectedAccount);
        QCOMPARE(showsButtonFace(*form.DBEdit1), protectedAccount);
        QCOMPARE(showsButtonFace(*form.DBLookupComboBox1), protectedAccount);
        QVERIFY(form.DBEdit3->isEnabled());
        QVERIFY(form.DBEdit2->isEnabled());
    }

    void renamingAnAccountMovesItsBookingsAndStamps()
    {
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        TSetupUsersForm form;
        site.showUser(QStringLiteral("bob"));
        form.DBEdit1->selectAll();
        QTest::keyClicks(form.DBEdit1, QStringLiteral("robert"));
        form.SaveB->click();
        for (const auto &[table, field] : {std::pair{"Schedule", "ReservedBy"}, std::pair{"Schedule", "ModifiedBy"},
                                           std::pair{"Restrict", "UserID"}, std::pair{"Resource", "ModifiedBy"},
                                           std::pair{"Type", "ModifiedBy"}, std::pair{"User", "UserID"}}) {
            QVERIFY2(site.stored(table, field, QStringLiteral("robert")) == 1, table);
            QVERIFY2(site.stored(table, field, QStringLiteral("bob")) == 0, table);
        }
    }

    // The error report's box closing activates the window again: that must not post the refused
    // row once more, nor move away from it.
    void aRefusedSaveStaysForTheUserToCorrect()
    {
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        TSetupUsersForm form;
        site.showUser(QStringLiteral("bob"));
        form.DBEdit1->selectAll();
        QTest::keyClicks(form.DBEdit1, QStringLiteral("boss"));   // taken by another account
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, form.SaveBClick());
        form.FormActivate();
        QCOMPARE(site.data.UserSettingsTable.state(), TTable::State::Edit);
        QCOMPARE(form.DBEdit1->text(), QStringLiteral("boss"));
        QCOMPARE(site.stored("Schedule", "ReservedBy", QStringLiteral("bob")), 1);
    }

    void deletingAnAccountAsksFirst_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<int>("accountsLeft");
        QTest::addColumn<int>("restrictRowsLeft");
        QTest::newRow("No") << MessageResult::No << 1 << 1;
        QTest::newRow("Yes") << MessageResult::Yes << 0 << 0;
    }

    void deletingAnAccountAsksFirst()
    {
        QFETCH(MessageResult, answer);
        QFETCH(int, accountsLeft);
        QFETCH(int, restrictRowsLeft);
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        TSetupUsersForm form;
        site.showUser(QStringLiteral("bob"));
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        form.DeleteB->click();
        QCOMPARE(boxes.texts(), QStringList{"Are you sure you want to delete this user?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Stop);
        QCOMPARE(site.stored("User", "UserID", QStringLiteral("bob")), accountsLeft);
        QCOMPARE(site.stored("Restrict", "UserID", QStringLiteral("bob")), restrictRowsLeft);
        QCOMPARE(site.stored("Schedule", "ReservedBy", QStringLiteral("bob")), 1);
    }

    void ownPassword_data()
    {
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("verifyPassword");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("storedPassword");
        QTest::newRow("differ in letter case") << "Secret" << "secret" << QStringList{"Error: Passwords Do Not Match"}
                                               << false << "old";
        QTest::newRow("both empty") << "" << "" << QStringList() << true << "old";
        QTest::newRow("verified") << "Secret" << "Secret" << QStringList() << true << "Secret";
    }

    void ownPassword()
    {
        QFETCH(QString, newPassword);
        QFETCH(QString, verifyPassword);
        QFETCH(QStringList, messages);
        QFETCH(bool, closed);
        QFETCH(QString, storedPassword);
        Fixture site;
        site.showUser(QStringLiteral("bob"));
        site.data.UserSettingsTable.Edit();
        site.data.UserSettingsTable.SetFieldValue(QStringLiteral("UserPassword"), QStringLiteral("old"));
        site.data.UserSettingsTable.Post();
        site.logOnAs(QStringLiteral("BOB"), site.clerks);   // IDs match without regard to case
        TUserForm form;
        QCOMPARE(form.Label3->text(), QStringLiteral("BOB"));
        QCOMPARE(form.Label11->text(), QStringLiteral("Clerks"));
        form.Password->setText(newPassword);
        form.VerifyPassword->setText(verifyPassword);
        MessageBoxRecorder boxes;
        form.BitBtn2Click();
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(form.result() == QDialog::Accepted, closed);
        QCOMPARE(site.storedPassword(QStringLiteral("bob")), storedPassword);
        QCOMPARE(site.data.UserSettingsTable.Filtered(), !closed);
    }

    void loggedInListNamesTheAccounts()
    {
        Fixture site;
        site.logOnAs(QStringLiteral("Supervisor"), 0);
        site.data.Sessions.Register(QStringLiteral("BOB"));
        std::vector<std::unique_ptr<Workstation>> others;
        for (const QString &name : {QString(), QStringLiteral("stranger"), QStringLiteral("a-very-long-network-name")})
            others.push_back(std::make_unique<Workstation>(site.data.ScheduleDatabase.location(), name));
        TSetupUsersForm users;
        QWidget *owner = nullptr;
        QStringList lines;
        ModalScript windows([&](QDialog &dialog) {
            owner = dialog.parentWidget();
            lines = qobject_cast<TLoggedInUsersForm *>(&dialog)->UserList->toPlainText().split(QLatin1Char('\n'));
            return int(QDialog::Accepted);
        });
        users.LoggedInUsers->click();
        QCOMPARE(windows.shown, QStringList{"TLoggedInUsersForm"});
        QCOMPARE(owner, &users);
        lines.sort();
        QCOMPARE(lines, (QStringList{"Unknown (User Deleted)", "a-very-long-net (User Deleted)", "bob (Bob Builder)",
                                     "stranger (User Deleted)"}));
    }
};

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
