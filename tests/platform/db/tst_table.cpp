// Table objects: browse order and paging, locating rows, the edit states with their events, the
// filter, derived lookup fields and the notifications data-aware controls follow.

#include "platform/db/DataSource.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "SharedDatabase.h"

#include <QSignalSpy>
#include <QTest>

namespace {

SharedDatabase shared;

// A database with its initial rows and an open connection; rows are added directly in SQL so that
// the table objects under test only read them.
class Place
{
public:
    Place()
    {
        shared.reset();
        database.Open();
    }

    // Adds types with these descriptions (an empty one is stored as null) in one unit of work;
    // returns their TypeIDs.
    QList<int> addTypes(const QStringList &descriptions)
    {
        QList<int> ids;
        Transaction unit(database);
        for (const QString &description : descriptions) {
            QSqlQuery query = database.exec(QStringLiteral("INSERT INTO \"Type\" (\"Description\") VALUES (?) RETURNING \"TypeID\""),
                                            {description.isEmpty() ? QVariant() : QVariant(description)});
            query.next();
            ids << query.value(0).toInt();
        }
        unit.commit();
        return ids;
    }

    int count(const QString &table)
    {
        QSqlQuery query = database.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table));
        query.next();
        return query.value(0).toInt();
    }

    TDatabase database{shared.location()};
};

QStringList walkForward(TTable &table, const QString &field)
{
    QStringList values;
    for (table.First(); !table.Eof(); table.Next())
        values << FieldValue::asString(table.FieldValue(field), QStringLiteral("<null>"));
    return values;
}

QStringList walkBackward(TTable &table, const QString &field)
{
    QStringList values;
    for (table.Last(); !table.Bof(); table.Prior())
        values << FieldValue::asString(table.FieldValue(field), QStringLiteral("<null>"));
    return values;
}

QStringList reversed(QStringList values)
{
    std::reverse(values.begin(), values.end());
    return values;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("%1%2").arg(prefix).arg(i, 4, 10, QLatin1Char('0'));
    return names;
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { shared.create(); }
    void cleanupTestCase() { shared.drop(); }

    void emptyTableIsAtBothEnds()
    {
        Place site;
        TTable types(site.database, "Type.DB");
        types.Open();
        QVERIFY(types.IsEmpty() && types.Bof() && types.Eof());
        QCOMPARE(types.RecordCount(), 0);
        QCOMPARE(types.FieldValue("Description"), QVariant());
        types.Next();
        types.Prior();
        QVERIFY(types.Bof() && types.Eof());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.Delete());
        QVERIFY(!types.FindKey({1}));
    }

    void browseOrderFollowsTheIndex()
    {
        Place site;
        site.addTypes({"Vans", "", "Boats", "Rooms", "Boats"});
        TTable types(site.database, "type.db");
        types.Open();
        QCOMPARE(walkForward(types, "Description"), (QStringList{"Vans", "<null>", "Boats", "Rooms", "Boats"}));
        // A row with an empty field keeps its place; equal values follow the primary key.
        types.SetIndexName("tdescription");
        QCOMPARE(types.IndexName(), QStringLiteral("TDescription"));
        QCOMPARE(walkForward(types, "Description"), (QStringList{"<null>", "Boats", "Boats", "Rooms", "Vans"}));
        QCOMPARE(walkForward(types, "TypeID"), (QStringList{"2", "3", "5", "4", "1"}));
        QCOMPARE(walkBackward(types, "TypeID"), (QStringList{"1", "4", "5", "3", "2"}));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.SetIndexName("NoSuchIndex"));
        QCOMPARE(types.IndexName(), QStringLiteral("TDescription"));
    }

    void switchingTheIndexKeepsTheCurrentRow()
    {
        Place site;
        site.addTypes({"C", "A", "B"});
        TTable types(site.database, "Type");
        types.SetIndexName("TDescription");
        types.Open();
        QCOMPARE(types.FieldValue("Description"), QVariant("A"));
        types.Next();
        QCOMPARE(types.FieldValue("Description"), QVariant("B"));
        types.SetIndexName(QString());
        QCOMPARE(types.FieldValue("Description"), QVariant("B"));
        types.Next();
        QVERIFY(types.Eof());
        types.Prior();
        QCOMPARE(types.FieldValue("Description"), QVariant("A"));
    }

    // More rows than one read brings, with ties and gaps in the filter, walked both ways.
    void largeTablesAreWalkedCompletelyBothWays_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::newRow("all rows") << false;
        QTest::newRow("every third row") << true;
    }

    void largeTablesAreWalkedCompletelyBothWays()
    {
        QFETCH(bool, filtered);
        Place site;
        QStringList names = numbered("Item ", 450);
        names << names.mid(100, 150);   // ties across the read boundaries
        std::reverse(names.begin(), names.end());
        site.addTypes(names);
        QStringList expected = names;
        std::sort(expected.begin(), expected.end());

        TTable types(site.database, "Type");
        types.SetIndexName("TDescription");
        if (filtered) {
            types.SetFilter([](const TRecord &row) { return row.FieldValue("TypeID").toInt() % 3 == 0; });
            types.SetFiltered(true);
            expected.clear();
            for (int id = 3; id <= names.size(); id += 3)
                expected << names.at(id - 1);
            std::sort(expected.begin(), expected.end());
        }
        types.Open();
        QCOMPARE(types.RecordCount(), int(expected.size()));
        QCOMPARE(walkForward(types, "Description"), expected);
        QCOMPARE(walkBackward(types, "Description"), reversed(expected));
    }

    void findKeyLocatesExactlyAndStaysWhenMissing()
    {
        Place site;
        const QList<int> ids = site.addTypes({"Rooms", "Vans", "Boats", "Cars"});
        TTable types(site.database, "Type");
        types.Open();
        QVERIFY(types.FindKey({ids.at(2)}));
        QCOMPARE(types.FieldValue("Description"), QVariant("Boats"));
        QVERIFY(types.FindKey({QString::number(ids.at(1))}));   // a key given as text
        QCOMPARE(types.FieldValue("Description"), QVariant("Vans"));
        QVERIFY(!types.FindKey({999}));
        QCOMPARE(types.FieldValue("Description"), QVariant("Vans"));
        // Browsing goes on from the row found.
        types.Next();
        types.Next();
        QCOMPARE(types.FieldValue("Description"), QVariant("Cars"));
        types.Prior();
        types.Prior();
        types.Prior();
        QCOMPARE(types.FieldValue("Description"), QVariant("Rooms"));

        types.SetFilter([](const TRecord &row) { return row.FieldValue("Description") != QVariant("Boats"); });
        types.SetFiltered(true);
        QVERIFY(!types.FindKey({ids.at(2)}));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.FindKey({}));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.FindKey({1, 2}));
    }

    void textKeysAreExact()
    {
        Place site;
        TTable users(site.database, "User.db");
        users.Open();
        QVERIFY(users.FindKey({"Supervisor"}));
        QVERIFY(!users.FindKey({"SUPERVISOR"}));
    }

    void findNearestGoesToTheNextRowOrTheLast_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "Cars" << "Cars";
        QTest::newRow("between") << "Bz" << "Cars";
        QTest::newRow("before all") << "A" << "Boats";
        QTest::newRow("after all") << "Zz" << "Vans";
    }

    void findNearestGoesToTheNextRowOrTheLast()
    {
        QFETCH(QString, key);
        QFETCH(QString, found);
        Place site;
        site.addTypes({"Rooms", "Vans", "Boats", "Cars"});
        TTable types(site.database, "Type");
        types.SetIndexName("TDescription");
        types.Open();
        types.FindNearest({key});
        QCOMPARE(types.FieldValue("Description"), QVariant(found));
    }

    void insertPostsAndComesBackWithItsNumber()
    {
        Place site;
        site.addTypes({"B"});
        TTable types(site.database, "Type");
        types.SetIndexName("TDescription");
        types.Open();
        QSignalSpy fieldChanges(&types, &TTable::fieldChanged);
        types.Append();
        QCOMPARE(types.state(), TTable::State::Insert);
        QVERIFY(!types.IsEmpty());
        QCOMPARE(types.FieldValue("TypeID"), QVariant());
        types.SetFieldValue("description", "A");
        QCOMPARE(fieldChanges.count(), 1);
        QCOMPARE(fieldChanges.at(0).at(0).toString(), QStringLiteral("Description"));
        QVERIFY(types.Modified());
        types.Post();
        QCOMPARE(types.state(), TTable::State::Browse);
        QCOMPARE(types.FieldValue("TypeID"), QVariant(2));
        QCOMPARE(types.FieldValue("Description"), QVariant("A"));
        types.Next();
        QCOMPARE(types.FieldValue("Description"), QVariant("B"));
        QCOMPARE(types.RecordCount(), 2);
    }

    void cancelStoresNothing()
    {
        Place site;
        site.addTypes({"Rooms"});
        TTable types(site.database, "Type");
        types.Open();
        types.Insert();
        types.SetFieldValue("Description", "Never");
        types.Cancel();
        QCOMPARE(types.FieldValue("Description"), QVariant("Rooms"));
        types.Edit();
        types.SetFieldValue("Description", "Changed");
        QCOMPARE(types.FieldValue("Description"), QVariant("Changed"));
        types.Cancel();
        QCOMPARE(types.FieldValue("Description"), QVariant("Rooms"));
        QCOMPARE(site.count("Type"), 1);
    }

    // Moving away from a changed row posts it; from an untouched new row drops it.
    void movingAwayPostsChangesAndDropsUntouchedRows()
    {
        Place site;
        site.addTypes({"A", "B"});
        TTable types(site.database, "Type");
        types.Open();
        types.Edit();
        types.SetFieldValue("Description", "A2");
        types.Next();
        QCOMPARE(types.state(), TTable::State::Browse);
        QCOMPARE(types.FieldValue("Description"), QVariant("B"));
        types.Insert();
        types.First();
        QCOMPARE(walkForward(types, "Description"), (QStringList{"A2", "B"}));
    }

    // A post writes only the fields this program changed, so another workstation's change to
    // other fields of the row survives.
    void postWritesOnlyChangedFields()
    {
        Place site;
        site.database.exec(QStringLiteral("INSERT INTO \"Resource\" (\"Description\", \"Capacity\") VALUES ('Van', 8)"));
        TTable resources(site.database, "resource.DB");
        resources.Open();
        resources.Edit();
        TDatabase otherWorkstation(shared.location());
        otherWorkstation.Open();
        otherWorkstation.exec(QStringLiteral("UPDATE \"Resource\" SET \"Capacity\" = 9"));
        resources.SetFieldValue("Description", "Big Van");
        resources.Post();
        QCOMPARE(resources.FieldValue("Description"), QVariant("Big Van"));
        QCOMPARE(resources.FieldValue("Capacity"), QVariant(9));
    }

    void postOfARowDeletedMeanwhileFailsAndKeepsTheEdit()
    {
        Place site;
        site.addTypes({"Rooms"});
        TTable types(site.database, "Type");
        types.Open();
        types.Edit();
        types.SetFieldValue("Description", "Halls");
        site.database.exec(QStringLiteral("DELETE FROM \"Type\""));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.Post());
        QCOMPARE(types.state(), TTable::State::Edit);
        QCOMPARE(types.FieldValue("Description"), QVariant("Halls"));
        types.Cancel();
        types.Refresh();
        QVERIFY(types.IsEmpty());
    }

    // A changed primary key (a renamed user ID) is written over the old one.
    void changingThePrimaryKeyMovesTheRow()
    {
        Place site;
        TTable users(site.database, "User");
        users.Open();
        users.Edit();
        users.SetFieldValue("UserID", "Boss");
        users.Post();
        QCOMPARE(users.FieldValue("UserID"), QVariant("Boss"));
        QCOMPARE(users.RecordCount(), 1);
        QVERIFY(!users.FindKey({"Supervisor"}));
    }

    void deleteMovesToTheNextRowOrTheOneBefore()
    {
        Place site;
        site.addTypes({"A", "B", "C"});
        TTable types(site.database, "Type");
        types.Open();
        types.Next();
        types.Delete();
        QCOMPARE(types.FieldValue("Description"), QVariant("C"));
        types.Delete();
        QCOMPARE(types.FieldValue("Description"), QVariant("A"));
        types.Delete();
        QVERIFY(types.IsEmpty() && types.Eof());
        QCOMPARE(site.count("Type"), 0);
    }

    void rowsBreakingTheRulesOfTheTableAreRefused_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("user ID of 21 characters") << "User" << "UserID" << QVariant(QString(21, QLatin1Char('u')));
        QTest::newRow("user ID missing") << "User" << "UserName" << QVariant("Nobody");
        QTest::newRow("user ID differing in case only") << "User" << "UserID" << QVariant("SUPERVISOR");
        QTest::newRow("booked for 31 characters") << "Schedule" << "ReservedBy" << QVariant(QString(31, QLatin1Char('r')));
    }

    void rowsBreakingTheRulesOfTheTableAreRefused()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        Place site;
        const int before = site.count(table);
        TTable rows(site.database, table);
        rows.Open();
        rows.Insert();
        rows.SetFieldValue(field, value);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, rows.Post());
        QCOMPARE(rows.state(), TTable::State::Insert);
        rows.Cancel();
        QCOMPARE(site.count(table), before);
        QVERIFY(!site.database.inTransaction());
    }

    void fieldMistakesAreErrors()
    {
        Place site;
        site.addTypes({"Rooms"});
        TTable types(site.database, "Type");
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.First());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.FieldValue("Description"));
        types.Open();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.FieldValue("Nothing"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.SetFieldValue("Description", "x"));   // not editing
        types.Edit();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.SetFieldValue("TypeID", 5));     // autoincrement
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.SetFieldValue("Nothing", 5));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.SetFieldValue("ModifiedDate", "yesterday"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, TTable(site.database, "Nothing.db"));
        // Text left empty in a number or date field means empty.
        types.SetFieldValue("ModifiedDate", "  ");
        QCOMPARE(types.FieldValue("ModifiedDate"), QVariant());
    }

    void beforePostThatThrowsAbandonsThePostAndItsWrites()
    {
        Place site;
        TTable types(site.database, "Type");
        types.Open();
        bool refuse = true;
        types.BeforePost = [&](TTable &table) {
            table.SetFieldValue("ModifiedBy", "STAMP");
            site.database.exec(QStringLiteral("UPDATE \"Settings\" SET \"TimeInterval\" = 5"));
            if (refuse)
                throw EDatabaseError(QStringLiteral("refused"));
        };
        types.Insert();
        types.SetFieldValue("Description", "Rooms");
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.Post());
        QCOMPARE(types.state(), TTable::State::Insert);
        QCOMPARE(site.count("Type"), 0);
        QSqlQuery settings = site.database.exec(QStringLiteral("SELECT \"TimeInterval\" FROM \"Settings\""));
        settings.next();
        QCOMPARE(settings.value(0).toInt(), 60);

        refuse = false;
        types.Post();
        QCOMPARE(types.FieldValue("ModifiedBy"), QVariant("STAMP"));
        QCOMPARE(site.count("Type"), 1);
    }

    void beforeDeleteRunsInTheSameUnitAsTheDelete()
    {
        Place site;
        site.addTypes({"Rooms"});
        site.database.exec(QStringLiteral("INSERT INTO \"Resource\" (\"Description\", \"TypeID\") VALUES ('Hall', 1)"));
        TTable types(site.database, "Type");
        types.Open();
        bool refuse = true;
        types.BeforeDelete = [&](TTable &) {
            site.database.exec(QStringLiteral("DELETE FROM \"Resource\" WHERE \"TypeID\" = 1"));
            if (refuse)
                throw EDatabaseError(QStringLiteral("refused"));
        };
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.Delete());
        QCOMPARE(site.count("Resource"), 1);
        QCOMPARE(types.FieldValue("Description"), QVariant("Rooms"));
        refuse = false;
        types.Delete();
        QCOMPARE(site.count("Resource"), 0);
        QCOMPARE(site.count("Type"), 0);
    }

    void beforeEditAndNewRecordEvents()
    {
        Place site;
        site.addTypes({"Rooms"});
        TTable types(site.database, "Type");
        types.Open();
        types.OnNewRecord = [](TTable &table) { table.SetFieldValue("Description", "New type"); };
        types.BeforeEdit = [](TTable &) { throw EDatabaseError(QStringLiteral("read only")); };
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, types.Edit());
        QCOMPARE(types.state(), TTable::State::Browse);
        types.Insert();
        QCOMPARE(types.FieldValue("Description"), QVariant("New type"));
        // Defaults alone are not a change: moving away drops the row.
        QVERIFY(!types.Modified());
        types.First();
        QCOMPARE(site.count("Type"), 1);
        types.Insert();
        types.Post();
        QCOMPARE(site.count("Type"), 2);
    }

    void filterHidesRowsEverywhereAndIsSwitchedOnAndOff()
    {
        Place site;
        site.addTypes({"Rooms", "Secret", "Vans"});
        TTable types(site.database, "Type");
        types.SetIndexName("TDescription");
        types.SetFilter([](const TRecord &row) { return !row.FieldValue("Description").toString().startsWith("S"); });
        types.Open();
        QCOMPARE(types.RecordCount(), 3);
        types.SetFiltered(true);
        QVERIFY(types.Filtered());
        QCOMPARE(types.RecordCount(), 2);
        QCOMPARE(walkForward(types, "Description"), (QStringList{"Rooms", "Vans"}));
        QVERIFY(!types.FindKey({2}));
        QVERIFY(!types.LookupRecord("TypeID", 2));
        QVERIFY(types.LookupRecord("TypeID", 3));

        // A row edited so that the filter hides it leaves the view.
        types.First();
        types.Edit();
        types.SetFieldValue("Description", "Secret too");
        types.Post();
        QCOMPARE(types.FieldValue("Description"), QVariant("Vans"));
        QCOMPARE(types.RecordCount(), 1);

        types.SetFiltered(false);
        QCOMPARE(types.RecordCount(), 3);
    }

    // A filter may itself read the database on the same connection while the table reads rows.
    void filterMayReadTheDatabase()
    {
        Place site;
        site.addTypes({"Rooms", "Empty", "Vans", "Unused", "Boats"});
        site.database.exec(QStringLiteral("INSERT INTO \"Resource\" (\"TypeID\") VALUES (1), (3), (5)"));
        TQuery resources(site.database);
        TTable types(site.database, "Type");
        types.SetFilter([&](const TRecord &row) {
            resources.SetText(QStringLiteral("Select * From Resource Where TypeID = :type"));
            resources.SetParam("type", row.FieldValue("TypeID"));
            resources.Open();
            return !resources.IsEmpty();
        });
        types.SetFiltered(true);
        types.Open();
        QCOMPARE(walkForward(types, "Description"), (QStringList{"Rooms", "Vans", "Boats"}));
        QCOMPARE(walkBackward(types, "Description"), (QStringList{"Boats", "Vans", "Rooms"}));
        QCOMPARE(types.RecordCount(), 3);
        QVERIFY(types.LookupRecord("TypeID", 5));
    }

    // The count asks the database: rows removed by a statement or by another workstation are gone.
    void recordCountFollowsChangesMadeElsewhere_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::newRow("all rows") << false;
        QTest::newRow("filtered") << true;
    }

    void recordCountFollowsChangesMadeElsewhere()
    {
        QFETCH(bool, filtered);
        Place site;
        site.addTypes({"Rooms", "Vans", "Boats"});
        TTable types(site.database, "Type");
        types.SetFilter([](const TRecord &) { return true; });
        types.SetFiltered(filtered);
        types.Open();
        QCOMPARE(types.RecordCount(), 3);
        TQuery purge(site.database);
        purge.SetText(QStringLiteral("Delete From \"Type.db\" Where Description = :d"));
        purge.SetParam("d", QStringLiteral("Vans"));
        purge.ExecSQL();
        QCOMPARE(types.RecordCount(), 2);
        TDatabase otherWorkstation(shared.location());
        otherWorkstation.Open();
        otherWorkstation.exec(QStringLiteral("INSERT INTO \"Type\" (\"Description\") VALUES ('Cars')"));
        QCOMPARE(types.RecordCount(), 3);
    }

    void refreshReadsAgainAndStaysOnTheRow()
    {
        Place site;
        site.addTypes({"A", "B", "C"});
        TTable types(site.database, "Type");
        types.Open();
        types.Next();
        site.database.exec(QStringLiteral("UPDATE \"Type\" SET \"Description\" = 'B2' WHERE \"TypeID\" = 2"));
        QCOMPARE(types.FieldValue("Description"), QVariant("B"));
        types.Refresh();
        QCOMPARE(types.FieldValue("Description"), QVariant("B2"));
        site.database.exec(QStringLiteral("DELETE FROM \"Type\" WHERE \"TypeID\" = 2"));
        types.Refresh();
        QCOMPARE(types.FieldValue("Description"), QVariant("C"));
    }

    void controlsAreToldOfEveryMove()
    {
        Place site;
        site.addTypes({"A", "B"});
        TTable types(site.database, "Type");
        TDataSource source(&types);
        QSignalSpy changes(&source, &TDataSource::dataChanged);
        types.Open();
        QVERIFY(changes.count() >= 1);
        for (const auto &step : QList<std::function<void()>>{
                 [&] { types.Next(); }, [&] { types.Prior(); }, [&] { types.Last(); },
                 [&] { types.Edit(); }, [&] { types.Cancel(); }, [&] { types.Insert(); },
                 [&] { types.Cancel(); }, [&] { types.Delete(); }, [&] { types.Close(); }}) {
            changes.clear();
            step();
            QVERIFY(changes.count() >= 1);
        }
    }

    // Derived fields: looked up when the row is shown, through the other table's filter, cut to
    // their width, empty when nothing matches.
    void lookupFieldsFollowTheirTables()
    {
        Place site;
        site.database.exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"UserName\", \"SecurityID\") "
                                          "VALUES ('LONG', 'Bartholomew Featherstonehaugh', 1), ('Hidden', 'Hidden One', 2)"));
        TTable users(site.database, "User");
        users.SetFilter([](const TRecord &row) { return row.FieldValue("UserID") != QVariant("Hidden"); });
        users.SetFiltered(true);
        users.Open();
        TTable bookings(site.database, "Schedule");
        bookings.AddLookupField("ReservedName", "ReservedBy", &users, "UserID", "UserName", 20);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError,
                                 bookings.AddLookupField("Wrong", "ReservedBy", &users, "UserID", "NoField", 20));
        bookings.Open();
        QVERIFY(bookings.FieldNames().contains("ReservedName"));

        bookings.Insert();
        QCOMPARE(bookings.FieldValue("ReservedName"), QVariant());
        bookings.SetFieldValue("ReservedBy", "LONG");
        QCOMPARE(bookings.FieldValue("ReservedName"), QVariant("Bartholomew Feathers"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, bookings.SetFieldValue("ReservedName", "x"));
        bookings.Post();
        QCOMPARE(bookings.FieldValue("reservedname"), QVariant("Bartholomew Feathers"));

        const QList<QPair<QString, QVariant>> cases = {
            {"long", QVariant()},                   // user IDs match exactly here
            {"Hidden", QVariant()},                 // the other table's filter hides the row
            {"Supervisor", QVariant("Supervisor")},
        };
        for (const auto &[reservedBy, name] : cases) {
            bookings.Edit();
            bookings.SetFieldValue("ReservedBy", reservedBy);
            bookings.Post();
            QCOMPARE(bookings.FieldValue("ReservedName"), name);
        }

        // A change posted to the other table shows at once.
        QVERIFY(users.FindKey({"Supervisor"}));
        users.Edit();
        users.SetFieldValue("UserName", "The Boss");
        users.Post();
        QCOMPARE(bookings.FieldValue("ReservedName"), QVariant("The Boss"));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
