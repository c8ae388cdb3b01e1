// The record rules of the data module: stamps, new-record defaults, the row filters and the
// cascades, with what another workstation sees of the tables after each.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

using Values = QList<QPair<QString, QVariant>>;

const QString Kate = QStringLiteral("kate");

QVariant insertRow(TTable &table, const Values &values)
{
    table.Insert();
    for (const auto &[field, value] : values)
        table.SetFieldValue(field, value);
    table.Post();
    return table.FieldValue(table.definition().primaryKey);
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

// Every row of every table as another workstation sees it.
QStringList committedRows(const DatabaseLocation &location)
{
    TDatabase observer(location, QStringLiteral("observer"));
    observer.Open();
    QStringList rows;
    for (const TableDef &table : Schema::tables()) {
        QSqlQuery query = observer.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY \"%2\"").arg(table.name, table.primaryKey));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            rows << table.name + QLatin1String(": ") + values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

// The values of one column as another workstation sees them, sorted.
QStringList committedColumn(const DatabaseLocation &location, const QString &table, const QString &field)
{
    TDatabase observer(location, QStringLiteral("observer"));
    observer.Open();
    QSqlQuery query = observer.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\"").arg(field, table));
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    values.sort();
    return values;
}

// From now on every such statement on the table fails, as a broken disk or a constraint would make
// it fail.
void refuse(TDatabase &database, const QString &operation, const QString &table)
{
    const QString trigger = QStringLiteral("refuse_%1_%2").arg(operation, table);
    if (database.engine() == EngineKind::SQLite) {
        database.exec(QStringLiteral("CREATE TRIGGER \"%1\" BEFORE %2 ON \"%3\" BEGIN SELECT RAISE(ABORT, 'refused'); END")
                          .arg(trigger, operation, table));
        return;
    }
    database.exec(QStringLiteral("CREATE OR REPLACE FUNCTION quorvel_refuse() RETURNS trigger LANGUAGE plpgsql "
                                 "AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$"));
    database.exec(QStringLiteral("CREATE TRIGGER \"%1\" BEFORE %2 ON \"%3\" FOR EACH ROW EXECUTE FUNCTION quorvel_refuse()")
                      .arg(trigger, operation, table));
}

// Two users, jsmith and kate, whose IDs stand in every table that holds user IDs.
struct Site
{
    TestSite site;
    int profileID = 0;
    int typeID = 0;
    int resourceID = 0;
    int otherResourceID = 0;

    Site()
    {
        SystemSettings = TSystemInfo();
        CurrentSecurity = TSecurityData();
        TProgramDataForm &d = data();
        profileID = insertRow(d.SecurityTable, {{"Description", "Staff"}}).toInt();
        insertRow(d.UserSettingsTable, {{"UserID", "jsmith"}, {"UserName", "John Smith"}, {"SecurityID", profileID}});
        insertRow(d.UserSettingsTable, {{"UserID", Kate}, {"UserName", "Kate Bell"}, {"SecurityID", profileID}});
        as("jsmith");
        typeID = insertRow(d.TypeTable, {{"Description", "Rooms"}}).toInt();
        resourceID = insertRow(d.ResourceTable, {{"Description", "Room 1"}, {"TypeID", typeID}}).toInt();
        as(Kate);
        insertRow(d.TypeTable, {{"Description", "Cars"}});
        otherResourceID = insertRow(d.ResourceTable, {{"Description", "Room 2"}, {"TypeID", typeID}}).toInt();
        for (int resource : {resourceID, otherResourceID}) {
            for (const QString &user : {QStringLiteral("jsmith"), Kate})
                insertRow(d.RestrictTable, {{"ResourceID", resource}, {"UserID", user}});
            as("jsmith");
            book(resource, "jsmith");
            as(Kate);
            book(resource, Kate);
        }
        // A booking for an ID that differs from jsmith's in letter case: not jsmith's.
        book(resourceID, "JSMITH");
    }

    TProgramDataForm &data() { return site.data(); }
    const DatabaseLocation &location() const { return site.database.location(); }

    static void as(const QString &userID)
    {
        CurrentUser = TLoginData();
        CurrentUser.UserID = userID;
    }

    void book(int resource, const QString &reservedBy)
    {
        insertRow(data().ScheduleTable, {{"ResourceID", resource}, {"ReservedBy", reservedBy},
                                         {"ScheduleDate", TimeValue::today()}, {"StartTime", 0.5}, {"EndTime", 0.55}});
    }

    TTable &user(const QString &name)
    {
        TTable &users = data().UserSettingsTable;
        if (!users.FindKey({name}))
            qFatal("no user %s", qPrintable(name));
        return users;
    }

    void renameJsmith(const QString &newID)
    {
        TTable &users = user("John Smith");
        users.Edit();
        users.SetFieldValue("UserID", newID);
        users.Post();
    }

    // Where a user ID is kept, and the IDs kept there.
    QMap<QString, QStringList> userIDs()
    {
        return {{"Restrict.UserID", committedColumn(location(), "Restrict", "UserID")},
                {"Schedule.ReservedBy", committedColumn(location(), "Schedule", "ReservedBy")},
                {"Schedule.ModifiedBy", committedColumn(location(), "Schedule", "ModifiedBy")},
                {"Resource.ModifiedBy", committedColumn(location(), "Resource", "ModifiedBy")},
                {"Type.ModifiedBy", committedColumn(location(), "Type", "ModifiedBy")},
                {"User.UserID", committedColumn(location(), "User", "UserID")}};
    }
};

QMap<QString, QStringList> renamed(QMap<QString, QStringList> ids, const QString &from, const QString &to)
{
    for (QStringList &values : ids) {
        std::replace(values.begin(), values.end(), from, to);
        values.sort();
    }
    return ids;
}

TTable &stampedTable(TProgramDataForm &data, const QString &name)
{
    for (TTable *table : {&data.TypeTable, &data.ResourceTable, &data.ScheduleTable})
        if (table->TableName() == name)
            return *table;
    qFatal("%s has no stamp", qPrintable(name));
}

QStringList visibleValues(TTable &table, const QString &field)
{
    QStringList values;
    for (table.First(); !table.Eof(); table.Next())
        values << table.FieldValue(field).toString();
    return values;
}

} // namespace

class TestRecordRules : public QObject
{
    Q_OBJECT

private slots:
    void stamps_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("stampedWhenStarted");
        QTest::newRow("types") << "Type" << false;
        QTest::newRow("resources") << "Resource" << false;
        QTest::newRow("bookings") << "Schedule" << true;
    }

    void stamps()
    {
        QFETCH(QString, table);
        QFETCH(bool, stampedWhenStarted);
        TestSite site;
        TTable &rows = stampedTable(site.data(), table);
        Site::as("first");
        const double started = TimeValue::now();
        rows.Insert();
        QCOMPARE(rows.FieldValue("ModifiedBy").toString(), stampedWhenStarted ? QStringLiteral("first") : QString());
        Site::as("poster");
        rows.Post();
        const double posted = TimeValue::now();
        QCOMPARE(rows.FieldValue("ModifiedBy").toString(), QStringLiteral("poster"));
        QVERIFY(rows.FieldValue("ModifiedDate").toDouble() >= started);
        QVERIFY(rows.FieldValue("ModifiedDate").toDouble() <= posted);

        // Every post restamps, also when nothing else changed.
        Site::as("later");
        rows.Edit();
        rows.Post();
        QCOMPARE(rows.FieldValue("ModifiedBy").toString(), QStringLiteral("later"));
        QVERIFY(rows.FieldValue("ModifiedDate").toDouble() >= posted);
    }

    void newRecordDefaults()
    {
        TestSite site;
        TProgramDataForm &data = site.data();
        TTable &resources = data.ResourceTable;
        resources.Insert();
        QCOMPARE(resources.FieldValue("Restricted"), QVariant(false));
        QCOMPARE(resources.FieldValue("AllowViewing"), QVariant(false));
        resources.SetFieldValue("Description", "New room");
        resources.Post();
        // A user without any rights sees it.
        CurrentSecurity = TSecurityData();
        data.AllowedResources.clear();
        resources.SetFiltered(true);
        QCOMPARE(visibleValues(resources, "Description"), QStringList{"New room"});

        data.RestrictResourceID = 42;
        data.RestrictTable.Insert();
        QCOMPARE(data.RestrictTable.FieldValue("ResourceID"), QVariant(42));
    }

    void usersFilter_data()
    {
        QTest::addColumn<QString>("filterID");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("no ID: profiles other than the master") << "" << QStringList{"Admin", "bob"};
        QTest::newRow("ID in capitals finds mixed case") << "ADMIN" << QStringList{"Admin"};
        QTest::newRow("ID in small letters") << "admin" << QStringList{"Admin"};
        QTest::newRow("ID of a master profile user") << "SUPERVISOR" << QStringList{"Supervisor"};
        QTest::newRow("ID of a user without a profile") << "nobody" << QStringList{"NOBODY"};
        QTest::newRow("unknown ID") << "ghost" << QStringList{};
    }

    void usersFilter()
    {
        QFETCH(QString, filterID);
        QFETCH(QStringList, visible);
        TestSite site;
        TTable &users = site.data().UserSettingsTable;
        insertRow(users, {{"UserID", "Admin"}, {"UserName", "Alice"}, {"SecurityID", 2}});
        insertRow(users, {{"UserID", "bob"}, {"UserName", "Bob"}, {"SecurityID", 3}});
        insertRow(users, {{"UserID", "NOBODY"}, {"UserName", "Nobody"}});
        site.data().UserFilterID = filterID;
        users.SetFiltered(true);
        QCOMPARE(visibleValues(users, "UserID"), visible);
    }

    void profilesFilterHidesTheMasterProfile()
    {
        TestSite site(true);
        TTable &profiles = site.data().SecurityTable;
        const int all = profiles.RecordCount();
        profiles.SetFiltered(true);
        QCOMPARE(profiles.RecordCount(), all - 1);
        QVERIFY(!profiles.FindKey({0}));
        QVERIFY(profiles.FindKey({1}));
    }

    void restrictedUsersFilter_data()
    {
        QTest::addColumn<int>("resourceID");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("first resource") << 1 << QStringList{"ann", "carl"};
        QTest::newRow("second resource") << 2 << QStringList{"bea"};
        QTest::newRow("none: rows without a resource stay hidden") << 0 << QStringList{};
    }

    void restrictedUsersFilter()
    {
        QFETCH(int, resourceID);
        QFETCH(QStringList, visible);
        TestSite site;
        TTable &restrict = site.data().RestrictTable;
        insertRow(restrict, {{"ResourceID", 1}, {"UserID", "ann"}});
        insertRow(restrict, {{"ResourceID", 2}, {"UserID", "bea"}});
        insertRow(restrict, {{"ResourceID", QVariant()}, {"UserID", "dan"}});
        insertRow(restrict, {{"ResourceID", 1}, {"UserID", "carl"}});
        site.data().RestrictResourceID = resourceID;
        restrict.SetFiltered(true);
        QCOMPARE(visibleValues(restrict, "UserID"), visible);
    }

    void deletingAUserRemovesOnlyTheirRestrictRows()
    {
        Site site;
        const QMap<QString, QStringList> before = site.userIDs();
        site.user("John Smith").Delete();
        QMap<QString, QStringList> expected = before;
        expected["Restrict.UserID"] = QStringList{Kate, Kate};
        expected["User.UserID"].removeOne("jsmith");
        QCOMPARE(site.userIDs(), expected);
        TLoginData gone;
        LookupUser("jsmith", gone);
        QCOMPARE(gone.UserName, QStringLiteral("User Deleted"));
    }

    void deletingAResourceRemovesItsRestrictRowsAndBookings()
    {
        Site site;
        TTable &resources = site.data().ResourceTable;
        QVERIFY(resources.FindKey({"Room 1"}));
        resources.Delete();
        QCOMPARE(committedColumn(site.location(), "Restrict", "ResourceID"),
                 QStringList(2, QString::number(site.otherResourceID)));
        QCOMPARE(committedColumn(site.location(), "Schedule", "ResourceID"),
                 QStringList(2, QString::number(site.otherResourceID)));
    }

    void deletingATypeOrProfileRunsNoCascade()
    {
        Site site;
        TTable &types = site.data().TypeTable;
        QVERIFY(types.FindKey({"Rooms"}));
        types.Delete();
        QCOMPARE(committedColumn(site.location(), "Resource", "TypeID"), QStringList(2, QString::number(site.typeID)));
        TTable &profiles = site.data().SecurityTable;
        QVERIFY(profiles.FindKey({site.profileID}));
        profiles.Delete();
        const QString profile = QString::number(site.profileID);
        QCOMPARE(committedColumn(site.location(), "User", "SecurityID"), (QStringList{"0", profile, profile}));
    }

    void renamingCarriesTheIDEverywhere_data()
    {
        QTest::addColumn<QString>("newID");
        QTest::newRow("letter case only") << "JSmith";
        QTest::newRow("new name") << "jdoe";
        QTest::newRow("quotes and SQL are only text") << "o\"b'; delete --";
    }

    void renamingCarriesTheIDEverywhere()
    {
        QFETCH(QString, newID);
        Site site;
        const QMap<QString, QStringList> before = site.userIDs();
        site.renameJsmith(newID);
        QCOMPARE(site.userIDs(), renamed(before, "jsmith", newID));
    }

    void noCascadeWithoutARename()
    {
        Site site;
        const QMap<QString, QStringList> before = site.userIDs();
        // Any update of these tables would now fail.
        refuse(site.data().ScheduleDatabase, "UPDATE", "Restrict");
        TTable &users = site.user("John Smith");
        users.Edit();
        users.SetFieldValue("UserPassword", "secret");
        users.Post();
        // A new user right after an edit is no rename of the edited one.
        insertRow(users, {{"UserID", "newbie"}, {"UserName", "New Person"}, {"SecurityID", site.profileID}});
        QMap<QString, QStringList> expected = before;
        expected["User.UserID"] = QStringList{Kate, "Supervisor", "jsmith", "newbie"};
        expected["User.UserID"].sort();
        QCOMPARE(site.userIDs(), expected);
    }

    void userWithoutIDIsRefusedBeforeAnyCascade_data()
    {
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("userID");
        QTest::newRow("new user, empty") << false << "";
        QTest::newRow("new user, blanks") << false << "   ";
        QTest::newRow("renamed to empty") << true << "";
        QTest::newRow("renamed to blanks") << true << "  ";
    }

    void userWithoutIDIsRefusedBeforeAnyCascade()
    {
        QFETCH(bool, rename);
        QFETCH(QString, userID);
        Site site;
        const QStringList before = committedRows(site.location());
        // A cascade that ran would fail with another message.
        refuse(site.data().ScheduleDatabase, "UPDATE", "Restrict");
        TTable &users = site.data().UserSettingsTable;
        const QString error = errorOf([&] {
            if (rename) {
                site.renameJsmith(userID);
                return;
            }
            insertRow(users, {{"UserID", userID}, {"UserName", "No ID"}, {"SecurityID", site.profileID}});
        });
        QCOMPARE(error, QStringLiteral("Error: A user must have a User ID"));
        QCOMPARE(users.state(), rename ? TTable::State::Edit : TTable::State::Insert);
        users.Cancel();
        QCOMPARE(committedRows(site.location()), before);
    }

    void failingCascadeOrWriteChangesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("table");
        QTest::newRow("rename: last cascade statement") << "rename" << "UPDATE" << "Type";
        QTest::newRow("rename: the user write") << "rename" << "UPDATE" << "User";
        QTest::newRow("user delete: the user write") << "delete user" << "DELETE" << "User";
        QTest::newRow("resource delete: last cascade statement") << "delete resource" << "DELETE" << "Schedule";
        QTest::newRow("resource delete: the resource write") << "delete resource" << "DELETE" << "Resource";
    }

    void failingCascadeOrWriteChangesNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, operation);
        QFETCH(QString, table);
        Site site;
        TProgramDataForm &data = site.data();
        refuse(data.ScheduleDatabase, operation, table);
        const QStringList before = committedRows(site.location());
        const QString error = errorOf([&] {
            if (action == "rename") {
                site.renameJsmith("jdoe");
            } else if (action == "delete user") {
                site.user("John Smith").Delete();
            } else {
                QVERIFY(data.ResourceTable.FindKey({"Room 1"}));
                data.ResourceTable.Delete();
            }
        });
        QVERIFY2(error.contains("refused"), qPrintable(error));
        QCOMPARE(committedRows(site.location()), before);
        QVERIFY(!data.ScheduleDatabase.inTransaction());

        // The connection is not left in a failed transaction: the next change is stored.
        data.UserSettingsTable.Cancel();
        insertRow(data.SecurityTable, {{"Description", "After the failure"}});
        QVERIFY(committedRows(site.location()).join('\n').contains("After the failure"));
    }

    void renameOntoAnotherUsersIDChangesNothing()
    {
        Site site;
        const QStringList before = committedRows(site.location());
        // The cascade runs first; the user write then meets kate's account.
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, site.renameJsmith("KATE"));
        QCOMPARE(committedRows(site.location()), before);
        TTable &users = site.data().UserSettingsTable;
        QCOMPARE(users.state(), TTable::State::Edit);
        users.SetFieldValue("UserID", "jdoe");
        users.Post();
        QCOMPARE(site.userIDs()["Restrict.UserID"], (QStringList{"jdoe", "jdoe", Kate, Kate}));
    }
};

QTEST_MAIN(TestRecordRules)
#include "tst_recordrules.moc"
