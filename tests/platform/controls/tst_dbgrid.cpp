// The data-aware grid over the data module's tables: rows read a page at a time, derived fields,
// whole-row selection that moves the table, and a selection that follows the table's changes.

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBGrid.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int Bookings = 5000;

void addBookings(TProgramDataForm &data, int count)
{
    data.ScheduleDatabase.exec(
        "INSERT INTO \"Schedule\" (\"ResourceID\", \"StartTime\", \"EndTime\", \"ReservedBy\", \"ScheduleDate\", \"Notes\") "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "SELECT (SELECT MIN(\"ResourceID\") FROM \"Resource\"), '10:00:00.000', '11:30:00.000', 'Supervisor', "
        "'2004-03-05', 'note ' || i FROM n",
        {count});
    data.ScheduleTable.Refresh();
}

// The bookings list of the administrator, in a shown window.
class BookingsGrid
{
public:
    BookingsGrid()
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", "Projector");
        resources.SetFieldValue("DescriptionL", "Ceiling projector in the main hall");
        resources.Post();
        addBookings(data, Bookings);
        grid->SetDataSource(&data.ScheduleSource);
        const QList<QPair<QString, QString>> columns = {
            {"Sequence", "Sequence"}, {"ResourceName", "ResourceName"}, {"ScheduleDate", "Schedule Date"},
            {"StartTime", "Start Time"}, {"EndTime", "End Time"}, {"ReservedName", "Reserved By"},
            {"ModifiedName", "Modified By"}, {"ModifiedDate", "Modified Date"}};
        for (const auto &[field, heading] : columns)
            grid->AddColumn(field, heading);
        grid->resize(800, 300);
        grid->show();
        QApplication::setActiveWindow(grid.get());
    }

    const TDBGridModel &model() const { return grid->gridModel(); }
    QString cell(int row, int column) const { return model().index(row, column).data().toString(); }
    int tableSequence() const { return data.ScheduleTable.FieldValue("Sequence").toInt(); }

    void clickRow(int row)
    {
        grid->scrollTo(model().index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model().index(row, 2)).center());
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    std::unique_ptr<TDBGrid> grid = std::make_unique<TDBGrid>();
};

// The types list of the types window.
class TypesGrid
{
public:
    TypesGrid()
    {
        for (const char *description : {"Vehicles", "Rooms", "Equipment"}) {
            data.TypeTable.Append();
            data.TypeTable.SetFieldValue("Description", description);
            data.TypeTable.Post();
        }
        data.TypeTable.First();
        grid->SetDataSource(&data.TypeSource);
        grid->AddColumn("TypeID", "ID");
        grid->AddColumn("Description", "Description");
        grid->show();
        QApplication::setActiveWindow(grid.get());
    }

    QStringList descriptions() const
    {
        QStringList texts;
        for (int row = 0; row < grid->gridModel().rowCount(); ++row)
            texts << grid->gridModel().index(row, 1).data().toString();
        return texts;
    }

    int selectedRow() const { return grid->currentIndex().row(); }
    QString current() const { return data.TypeTable.FieldValue("Description").toString(); }

    TestSite site;
    TProgramDataForm &data = site.data();
    std::unique_ptr<TDBGrid> grid = std::make_unique<TDBGrid>();
};

} // namespace

class TestDBGrid : public QObject
{
    Q_OBJECT

private slots:
    void opensAThousandsOfRowsTableReadingOnlyAPage()
    {
        BookingsGrid g;
        g.grid->grab();
        QCOMPARE(g.model().rowCount(), Bookings);
        QVERIFY2(g.model().RowsRead() <= 100, qPrintable(QString::number(g.model().RowsRead())));
        QCOMPARE(g.cell(0, 0), QStringLiteral("1"));
        QCOMPARE(g.grid->horizontalHeader()->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Reserved By"));

        g.grid->scrollToBottom();
        g.grid->grab();
        QVERIFY2(g.model().RowsRead() <= 300, qPrintable(QString::number(g.model().RowsRead())));
        QCOMPARE(g.cell(Bookings - 1, 0), QString::number(Bookings));
    }

    void showsDerivedFieldsAndFormattedValues()
    {
        BookingsGrid g;
        QCOMPARE(g.cell(7, 1), QStringLiteral("Ceiling projector in"));
        QCOMPARE(g.cell(7, 2), QStringLiteral("03/05/2004"));
        QCOMPARE(g.cell(7, 3), QStringLiteral("10:00:00 AM"));
        QCOMPARE(g.cell(7, 4), QStringLiteral("11:30:00 AM"));
        QCOMPARE(g.cell(7, 5), QStringLiteral("Supervisor"));
        QCOMPARE(g.cell(7, 6), QString());
        QCOMPARE(g.model().index(7, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    }

    void selectingARowMovesTheTable()
    {
        BookingsGrid g;
        g.clickRow(2);
        QCOMPARE(g.tableSequence(), 3);
        QTest::keyClick(g.grid.get(), Qt::Key_Down);
        QCOMPARE(g.tableSequence(), 4);
        g.clickRow(4321);
        QCOMPARE(g.tableSequence(), 4322);
        g.data.ScheduleTable.Next();
        QCOMPARE(g.tableSequence(), 4323);
    }

    void selectionFollowsTheTable()
    {
        BookingsGrid g;
        QCOMPARE(g.grid->currentIndex().row(), 0);
        g.data.ScheduleTable.Last();
        QCOMPARE(g.grid->currentIndex().row(), Bookings - 1);
        QVERIFY(g.grid->viewport()->rect().intersects(g.grid->visualRect(g.grid->currentIndex())));
        QVERIFY(g.data.ScheduleTable.FindKey({2500}));
        QCOMPARE(g.grid->currentIndex().row(), 2499);
        g.data.ScheduleTable.Insert();
        QVERIFY(!g.grid->selectionModel()->hasSelection());
        g.data.ScheduleTable.Cancel();
        QCOMPARE(g.grid->currentIndex().row(), 2499);
        QVERIFY2(g.model().RowsRead() <= 300, qPrintable(QString::number(g.model().RowsRead())));
    }

    void postsDeletesAndRefreshesShowAtOnce()
    {
        TypesGrid t;
        QCOMPARE(t.descriptions(), (QStringList{"Equipment", "Rooms", "Vehicles"}));
        t.data.TypeTable.Append();
        t.data.TypeTable.SetFieldValue("Description", "Aircraft");
        t.data.TypeTable.Post();
        QCOMPARE(t.descriptions(), (QStringList{"Aircraft", "Equipment", "Rooms", "Vehicles"}));
        QCOMPARE(t.selectedRow(), 0);

        t.data.TypeTable.Next();
        t.data.TypeTable.Delete();
        QCOMPARE(t.descriptions(), (QStringList{"Aircraft", "Rooms", "Vehicles"}));
        QCOMPARE(t.selectedRow(), 1);
        QCOMPARE(t.current(), QStringLiteral("Rooms"));

        t.data.ScheduleDatabase.exec("INSERT INTO \"Type\" (\"Description\") VALUES ('Boats')");
        t.data.TypeTable.Refresh();
        QCOMPARE(t.descriptions(), (QStringList{"Aircraft", "Boats", "Rooms", "Vehicles"}));
        QCOMPARE(t.selectedRow(), 2);
    }

    void theRowBeingEditedShowsTheEditBuffer()
    {
        TypesGrid t;
        t.data.TypeTable.Edit();
        t.data.TypeTable.SetFieldValue("Description", "Tools");
        QCOMPARE(t.descriptions(), (QStringList{"Tools", "Rooms", "Vehicles"}));
        t.data.TypeTable.Cancel();
        QCOMPARE(t.descriptions(), (QStringList{"Equipment", "Rooms", "Vehicles"}));
    }

    void selectingAnotherRowPostsThePendingEdit()
    {
        TypesGrid t;
        t.data.TypeTable.Edit();
        t.data.TypeTable.SetFieldValue("Description", "Tools");
        t.grid->setCurrentIndex(t.grid->gridModel().index(1, 0));
        QCOMPARE(t.data.TypeTable.state(), TTable::State::Browse);
        QCOMPARE(t.descriptions(), (QStringList{"Rooms", "Tools", "Vehicles"}));
        QCOMPARE(t.current(), QStringLiteral("Rooms"));
        QCOMPARE(t.selectedRow(), 0);
    }

    void filteredRowsAreNotListed()
    {
        TypesGrid t;
        t.data.TypeTable.SetFilter([](const TRecord &row) { return row.FieldValue("Description") != "Rooms"; });
        t.data.TypeTable.SetFiltered(true);
        QCOMPARE(t.descriptions(), (QStringList{"Equipment", "Vehicles"}));
        t.grid->setCurrentIndex(t.grid->gridModel().index(1, 0));
        QCOMPARE(t.current(), QStringLiteral("Vehicles"));
    }

    void anEditableGridPostsTheTypedCell()
    {
        TypesGrid t;
        t.grid->SetReadOnly(false);
        QVERIFY(!(t.grid->gridModel().flags(t.grid->gridModel().index(0, 0)) & Qt::ItemIsEditable));
        const QModelIndex rooms = t.grid->gridModel().index(1, 1);
        t.grid->setCurrentIndex(rooms);
        t.grid->edit(rooms);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Halls");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();   // the view commits an edit finished with Return once back in the event loop
        QCOMPARE(t.descriptions(), (QStringList{"Equipment", "Halls", "Vehicles"}));
        QCOMPARE(t.data.TypeTable.state(), TTable::State::Browse);
        QCOMPARE(t.current(), QStringLiteral("Halls"));
    }
};

QTEST_MAIN(TestDBGrid)
#include "tst_dbgrid.moc"
