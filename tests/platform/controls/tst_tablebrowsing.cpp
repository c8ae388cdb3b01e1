// What grids and lookup lists need of a table object: rows by visible row number without moving,
// the row number of the current row, moving to a row they show, derived fields of any row, and
// the version that tells them to read the rows again.

#include "platform/db/Database.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Table.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Types whose descriptions sort differently from their IDs; the table browses by description.
class Types
{
public:
    explicit Types(const QStringList &descriptions)
    {
        place.init();
        database.Open();
        for (const QString &description : descriptions)
            database.exec(QStringLiteral("INSERT INTO \"Type\" (\"Description\") VALUES (?)"), {description});
        table.SetIndexName(QStringLiteral("TDescription"));
        table.Open();
    }

    void hide(const QString &description)
    {
        table.SetFilter([description](const TRecord &row) { return row.FieldValue("Description") != description; });
        table.SetFiltered(true);
    }

    TestDatabase place;
    TDatabase database{place.location()};
    TTable table{database, QStringLiteral("Type")};
};

QStringList descriptions(const QList<TRecord> &rows)
{
    QStringList result;
    for (const TRecord &row : rows)
        result << row.FieldValue("Description").toString();
    return result;
}

const QStringList Letters = {"E", "B", "G", "A", "D", "C", "F"};

} // namespace

class TestTableBrowsing : public QObject
{
    Q_OBJECT

private slots:
    void visibleRowsCountOnlyRowsTheFilterLetsThrough_data()
    {
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("from the start") << "" << 0 << 3 << QStringList{"A", "B", "C"};
        QTest::newRow("from the middle") << "" << 2 << 2 << QStringList{"C", "D"};
        QTest::newRow("past the end") << "" << 5 << 10 << QStringList{"F", "G"};
        QTest::newRow("beyond every row") << "" << 7 << 3 << QStringList{};
        QTest::newRow("filtered, from the start") << "B" << 0 << 3 << QStringList{"A", "C", "D"};
        QTest::newRow("filtered, from the middle") << "B" << 2 << 2 << QStringList{"D", "E"};
        QTest::newRow("filtered, past the end") << "B" << 4 << 10 << QStringList{"F", "G"};
    }

    void visibleRowsCountOnlyRowsTheFilterLetsThrough()
    {
        QFETCH(QString, hidden);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        Types types(Letters);
        if (!hidden.isEmpty())
            types.hide(hidden);
        types.table.Next();
        const QVariant current = types.table.FieldValue("Description");
        QCOMPARE(descriptions(types.table.VisibleRows(first, count)), expected);
        // Counting goes as far as reading would, and no further.
        QCOMPARE(types.table.CountVisibleRows(first, count), expected.size());
        QCOMPARE(types.table.FieldValue("Description"), current);
    }

    void visibleRowsPageThroughManyRows()
    {
        QStringList many;
        for (int i = 0; i < 250; ++i)
            many << QStringLiteral("T%1").arg(i, 3, 10, QLatin1Char('0'));
        Types types(many);
        types.hide("T000");
        const QList<TRecord> rows = types.table.VisibleRows(200, 100);
        QCOMPARE(rows.size(), 49);
        QCOMPARE(rows.first().FieldValue("Description").toString(), QStringLiteral("T201"));
        QCOMPARE(rows.last().FieldValue("Description").toString(), QStringLiteral("T249"));
    }

    void currentRowNumberFollowsTheBrowseOrder_data()
    {
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("number");
        QTest::newRow("first") << "" << "A" << 0;
        QTest::newRow("middle") << "" << "D" << 3;
        QTest::newRow("last") << "" << "G" << 6;
        QTest::newRow("filtered, before the hidden row") << "C" << "B" << 1;
        QTest::newRow("filtered, after the hidden row") << "C" << "D" << 2;
    }

    void currentRowNumberFollowsTheBrowseOrder()
    {
        QFETCH(QString, hidden);
        QFETCH(QString, current);
        QFETCH(int, number);
        Types types(Letters);
        if (!hidden.isEmpty())
            types.hide(hidden);
        QVERIFY(types.table.GotoRecord(types.table.VisibleRows(number, 1).first()));
        QCOMPARE(types.table.FieldValue("Description").toString(), current);
        QCOMPARE(types.table.CurrentRowNumber(), number);
    }

    void currentRowNumberIsMinusOneWithoutACurrentRow()
    {
        Types types({});
        QCOMPARE(types.table.CurrentRowNumber(), -1);
        Types some({"A"});
        some.table.Insert();
        QCOMPARE(some.table.CurrentRowNumber(), -1);
    }

    void gotoRecordMovesToTheRowAndTellsTheControls()
    {
        Types types(Letters);
        QSignalSpy changed(&types.table, &TTable::changed);
        QVERIFY(types.table.GotoRecord(types.table.VisibleRows(4, 1).first()));
        QCOMPARE(types.table.FieldValue("Description").toString(), QStringLiteral("E"));
        QCOMPARE(changed.count(), 1);
        types.table.Next();
        QCOMPARE(types.table.FieldValue("Description").toString(), QStringLiteral("F"));
        types.table.Prior();
        types.table.Prior();
        QCOMPARE(types.table.FieldValue("Description").toString(), QStringLiteral("D"));
    }

    void gotoRecordRefusesRowsThatAreGoneOrHidden()
    {
        Types types(Letters);
        const TRecord c = types.table.VisibleRows(2, 1).first();
        const TRecord d = types.table.VisibleRows(3, 1).first();
        types.database.exec(QStringLiteral("DELETE FROM \"Type\" WHERE \"Description\" = 'C'"));
        QVERIFY(!types.table.GotoRecord(c));
        QCOMPARE(types.table.FieldValue("Description").toString(), QStringLiteral("A"));
        types.hide("D");
        QVERIFY(!types.table.GotoRecord(d));
        QCOMPARE(types.table.FieldValue("Description").toString(), QStringLiteral("A"));
    }

    void gotoRecordPostsAnEditOnlyWhenLeavingTheRow()
    {
        Types types(Letters);
        const TRecord a = types.table.VisibleRows(0, 1).first();
        types.table.Edit();
        types.table.SetFieldValue("Description", "AA");
        QVERIFY(types.table.GotoRecord(a));
        QCOMPARE(types.table.state(), TTable::State::Edit);
        QVERIFY(types.table.GotoRecord(types.table.VisibleRows(3, 1).first()));
        QCOMPARE(types.table.state(), TTable::State::Browse);
        QCOMPARE(descriptions(types.table.VisibleRows(0, 2)), (QStringList{"AA", "B"}));
    }

    void recordFieldValueReadsDerivedFieldsOfAnyRow()
    {
        Types types({"Rooms", "Cars"});
        TTable resources(types.database, QStringLiteral("Resource"));
        resources.AddLookupField("TypeName", "TypeID", &types.table, "TypeID", "Description", 3);
        const QList<TRecord> typeRows = types.table.VisibleRows(0, 2);
        for (const TRecord &type : typeRows)
            types.database.exec(QStringLiteral("INSERT INTO \"Resource\" (\"Description\", \"TypeID\") VALUES (?, ?)"),
                                {QStringLiteral("of ") + type.FieldValue("Description").toString(),
                                 type.FieldValue("TypeID")});
        resources.Open();
        const QList<TRecord> rows = resources.VisibleRows(0, 2);
        QCOMPARE(resources.RecordFieldValue(rows.at(0), "TypeName").toString(), QStringLiteral("Car"));
        QCOMPARE(resources.RecordFieldValue(rows.at(1), "TypeName").toString(), QStringLiteral("Roo"));
        QCOMPARE(resources.RecordFieldValue(rows.at(1), "Description").toString(), QStringLiteral("of Rooms"));
        QCOMPARE(resources.FieldValue("Description").toString(), QStringLiteral("of Cars"));
    }

    void rowsVersionChangesWhenRowsMayHaveChanged()
    {
        Types types(Letters);
        TTable &table = types.table;
        auto changes = [&table](const std::function<void()> &step) {
            const quint64 before = table.RowsVersion();
            step();
            return table.RowsVersion() != before;
        };
        QVERIFY(!changes([&] { table.Next(); }));
        QVERIFY(!changes([&] { table.Edit(); table.SetFieldValue("Description", "Q"); }));
        QVERIFY(changes([&] { table.Post(); }));
        QVERIFY(!changes([&] { table.Insert(); table.Cancel(); }));
        QVERIFY(changes([&] { table.Delete(); }));
        QVERIFY(changes([&] { table.Refresh(); }));
        QVERIFY(changes([&] { table.SetIndexName(QString()); }));
        QVERIFY(changes([&] { types.hide("A"); }));
    }
};

QTEST_GUILESS_MAIN(TestTableBrowsing)
#include "tst_tablebrowsing.moc"
