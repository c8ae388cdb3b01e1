// The list of every booking: its columns with the looked-up names, deleting from it, and opening
// it on a bookings table far too large to read at once.

#include "ViewSite.h"
#include "app/MainFrm.h"
#include "platform/db/Query.h"
#include "platform/ui/DBGrid.h"
#include "support/ScriptedDialogs.h"
#include "views/DisplayAllSchedulesFrm.h"

#include <QAction>
#include <QPushButton>

namespace {

const double Monday = TimeValue::fromDate(QDate(2030, 3, 4));

QStringList rowTexts(const TDisplayAllSchedulesForm &list, int row)
{
    const TDBGridModel &model = list.DBGrid1->gridModel();
    QStringList texts;
    for (int col = 0; col < model.columnCount(); ++col)
        texts << model.data(model.index(row, col)).toString();
    return texts;
}

QStringList headings(const TDisplayAllSchedulesForm &list)
{
    const TDBGridModel &model = list.DBGrid1->gridModel();
    QStringList texts;
    for (int col = 0; col < model.columnCount(); ++col)
        texts << model.headerData(col, Qt::Horizontal).toString();
    return texts;
}

// Bookings of a room, of a room the user may not see, of a room that is gone, and of a user who is
// gone; the resources filter is on, as the main window leaves it.
struct ListSite : ViewSite
{
    ListSite()
    {
        const int rooms = addType(QStringLiteral("Rooms"));
        const int room = addResource(QStringLiteral("Room"), rooms);
        const int hidden = addResource(QStringLiteral("Hidden"), rooms, 10, true, false);
        addUser(QStringLiteral("ANN"), QStringLiteral("Ann Other"));
        data.ResourceTable.SetFiltered(true);
        first = addBooking(room, Monday, at(10, 0), at(11, 30), QStringLiteral("ANN"));
        addBooking(hidden, Monday, at(12, 0), at(13, 0));
        addBooking(999, Monday, at(14, 0), at(15, 0));
        addBooking(room, Monday + 1, at(9, 0), at(9, 30), QStringLiteral("GONE"));
        data.ScheduleTable.Refresh();
        data.ScheduleTable.First();
    }

    int first = 0;
};

} // namespace

Q_DECLARE_METATYPE(MessageResult)

class TestDisplayAllSchedules : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheList()
    {
        ListSite site;
        TMainForm main;
        QWidget *owner = nullptr;
        ModalScript windows([&](QDialog &dialog) {
            owner = dialog.parentWidget();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(QStringLiteral("DisplayAllSchedules1"))->trigger();
        QCOMPARE(windows.shown, QStringList{"TDisplayAllSchedulesForm"});
        QCOMPARE(owner, &main);
    }

    void listsEveryBookingWithTheNamesItMayShow()
    {
        ListSite site;
        TDisplayAllSchedulesForm list;
        QCOMPARE(list.windowTitle(), QStringLiteral("Display All Schedules"));
        QCOMPARE(headings(list), (QStringList{"Sequence", "ResourceName", "Schedule Date", "Start Time", "End Time",
                                              "Reserved By", "Modified By", "Modified Date"}));
        QCOMPARE(list.DBGrid1->gridModel().rowCount(), 4);
        QVERIFY(list.DBGrid1->ReadOnly());
        const QString first = QString::number(site.first);
        QCOMPARE(rowTexts(list, 0).mid(0, 6),
                 (QStringList{first, "Room (long)", "03/04/2030", "10:00:00 AM", "11:30:00 AM", "Ann Other"}));
        QCOMPARE(rowTexts(list, 1).at(1), QString());   // a room the user may not see
        QCOMPARE(rowTexts(list, 1).at(5), QStringLiteral("Me Myself"));
        QCOMPARE(rowTexts(list, 2).at(1), QString());   // a room that is gone
        QCOMPARE(rowTexts(list, 3).at(5), QString());   // a user who is gone
        QCOMPARE(rowTexts(list, 3).at(2), QStringLiteral("03/05/2030"));
    }

    void deleteAsksAndDeletesOnlyOnYes_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<int>("remaining");
        QTest::newRow("No") << MessageResult::No << 4;
        QTest::newRow("Yes") << MessageResult::Yes << 3;
    }

    void deleteAsksAndDeletesOnlyOnYes()
    {
        QFETCH(MessageResult, answer);
        QFETCH(int, remaining);
        ListSite site;
        TDisplayAllSchedulesForm list;
        list.DBGrid1->selectRow(1);
        const int selected = site.data.ScheduleTable.FieldValue("Sequence").toInt();
        QCOMPARE(selected, site.first + 1);
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        QTest::mouseClick(list.DeleteBtn, Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{"Are You User You Want To Delete This Schedule?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Question);
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::YesNo);
        QCOMPARE(site.data.ScheduleTable.RecordCount(), remaining);
        QCOMPARE(site.data.ScheduleTable.FindKey({selected}), answer == MessageResult::No);
        QCOMPARE(list.DBGrid1->gridModel().rowCount(), remaining);
        QCOMPARE(site.data.ResourceTable.RecordCount(), 1);   // nothing else is touched
    }

    void deleteOnAnEmptyListAsksNothing()
    {
        ViewSite site;
        TDisplayAllSchedulesForm list;
        MessageBoxRecorder boxes;
        list.DeleteBtnClick();
        QVERIFY(boxes.shown.isEmpty());
    }

    // The list reads the rows it shows, not the table: it opens at once on a table of hundreds of
    // thousands of bookings.
    void opensOnAHugeTableReadingOnlyWhatItShows()
    {
        ListSite site;
        const int copies = 300000;
        TQuery fill(site.data.ScheduleDatabase);
        fill.Add(QStringLiteral("With Recursive Copies(Number) As (Select 1 Union All"));
        fill.Add(QStringLiteral("  Select Number + 1 From Copies Where Number < :Copies)"));
        fill.Add(QStringLiteral("Insert Into \"Schedule.db\" (ResourceID, ScheduleDate, StartTime, EndTime,"));
        fill.Add(QStringLiteral("  ReservedBy, ModifiedBy, ModifiedDate)"));
        fill.Add(QStringLiteral("Select B.ResourceID, B.ScheduleDate, B.StartTime, B.EndTime, B.ReservedBy,"));
        fill.Add(QStringLiteral("  B.ModifiedBy, B.ModifiedDate From \"Schedule.db\" B, Copies"));
        fill.Add(QStringLiteral("Where B.Sequence = :First"));
        fill.SetParam(QStringLiteral("Copies"), copies);
        fill.SetParam(QStringLiteral("First"), site.first);
        fill.Prepare();
        fill.ExecSQL();
        fill.Unprepare();
        const int total = copies + 4;

        TDisplayAllSchedulesForm list;
        const TDBGridModel &model = list.DBGrid1->gridModel();
        // The first screen does not wait for every row to be counted; a move of the table beyond
        // those counted so far is followed all the same.
        QVERIFY(model.rowCount() < total);
        QVERIFY(model.canFetchMore(QModelIndex()));
        site.data.ScheduleTable.Last();
        QCOMPARE(list.DBGrid1->currentIndex().row(), total - 1);
        site.data.ScheduleTable.First();
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTRY_COMPARE(model.rowCount(), total);
        QVERIFY(!model.canFetchMore(QModelIndex()));
        QCOMPARE(rowTexts(list, 0).mid(0, 6),
                 (QStringList{QString::number(site.first), "Room (long)", "03/04/2030", "10:00:00 AM", "11:30:00 AM",
                              "Ann Other"}));
        QCOMPARE(rowTexts(list, 4).mid(1, 5), rowTexts(list, 0).mid(1, 5));   // the first copy
        QCOMPARE(rowTexts(list, 4).at(0), QString::number(site.first + 4));
        QVERIFY2(model.RowsRead() < 1000, qPrintable(QString::number(model.RowsRead())));

        // The last row is reached without reading everything before it.
        list.DBGrid1->scrollToBottom();
        QCOMPARE(rowTexts(list, total - 1).at(0), QString::number(site.first + total - 1));
        QVERIFY2(model.RowsRead() < 2000, qPrintable(QString::number(model.RowsRead())));
    }
};

QTEST_MAIN(TestDisplayAllSchedules)
#include "tst_displayallschedules.moc"
