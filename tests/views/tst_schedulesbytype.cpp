// The schedules-by-type view: one column per resource of the type that the user may see, what the
// columns hold, where the grid scrolls, and what double-clicks and Add open.

#include "ViewSite.h"
#include "app/MainFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DrawGrid.h"
#include "schedule/ProgramConst.h"
#include "support/ScriptedDialogs.h"
#include "views/SchedulesByTypeFrm.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

namespace {

const double Wednesday = TimeValue::fromDate(QDate(2030, 3, 6));

QStringList headings(const TSchedulesByTypeForm &view)
{
    QStringList texts;
    for (int col = 1; col < view.DrawGrid1->ColCount(); ++col)
        texts << CellText(view.Schedule().Cell(col, 0));
    return texts;
}

QString shownText(const TSchedulesByTypeForm &view, int col, int row)
{
    return CellText(view.Schedule().Cell(col, row));
}

// A type of three rooms, the second restricted to users listed for it.
struct RoomsSite : ViewSite
{
    RoomsSite()
    {
        rooms = addType(QStringLiteral("Rooms"));
        alpha = addResource(QStringLiteral("Alpha"), rooms);
        beta = addResource(QStringLiteral("Beta"), rooms, 10, true, false);
        gamma = addResource(QStringLiteral("Gamma"), rooms);
        standOnType(rooms);
    }

    int rooms = 0;
    int alpha = 0;
    int beta = 0;
    int gamma = 0;
};

} // namespace

class TestSchedulesByType : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheView()
    {
        RoomsSite site;
        TMainForm main;
        QPointer<QDialog> opened;
        QWidget *owner = nullptr;
        ModalScript windows([&](QDialog &dialog) {
            opened = &dialog;
            owner = dialog.parentWidget();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(QStringLiteral("DisplayByResourceType1"))->trigger();
        QCOMPARE(windows.shown, QStringList{"TSchedulesByTypeForm"});
        QCOMPARE(owner, &main);
        QVERIFY(!opened);   // freed when it closed
    }

    void oneColumnPerVisibleResource_data()
    {
        QTest::addColumn<bool>("supervisor");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("user") << false << false << QStringList{"Alpha", "Gamma"};
        QTest::newRow("user listed for the restricted room") << false << true << QStringList{"Alpha", "Beta", "Gamma"};
        QTest::newRow("supervisor") << true << false << QStringList{"Alpha", "Beta", "Gamma"};
    }

    void oneColumnPerVisibleResource()
    {
        QFETCH(bool, supervisor);
        QFETCH(bool, listed);
        QFETCH(QStringList, columns);
        RoomsSite site;
        CurrentSecurity.Supervisor = supervisor;
        if (listed)
            site.data.AllowedResources << QString::number(site.beta);
        TSchedulesByTypeForm view(nullptr);
        QCOMPARE(view.windowTitle(), QStringLiteral("Display Schedules By Type"));
        QCOMPARE(view.TypeIDDisplay->currentText(), QStringLiteral("Rooms"));
        QCOMPARE(headings(view), columns);
        QCOMPARE(view.DrawGrid1->RowCount(), 49);
        QCOMPARE(shownText(view, 0, 0), QStringLiteral("Time"));
    }

    // The grid read with one query for every column holds exactly what loading each column on its
    // own gives: overlaps, bookings of the days before and after, missing and differently spelt
    // users, bookings late in the day, a booking without a start, a hidden resource.
    void columnsHoldWhatEachColumnLoadsOnItsOwn()
    {
        RoomsSite site;
        site.addUser(QStringLiteral("ANN"), QString());
        const int delta = site.addResource(QStringLiteral("Delta"), site.rooms, 4, true, true);
        site.addBooking(site.alpha, Wednesday, at(10, 0), at(11, 30), QStringLiteral("me"));
        site.addBooking(site.alpha, Wednesday, at(10, 30), at(11, 0), QStringLiteral("GONE"));
        site.addBooking(site.alpha, Wednesday, at(14, 0), at(15, 0));
        site.addBooking(site.alpha, Wednesday, at(14, 0), at(14, 30), QStringLiteral("ANN"));
        site.addBooking(site.alpha, Wednesday - 1, at(22, 0), at(23, 59));
        site.addBooking(site.gamma, Wednesday + 1, at(0, 0), at(1, 0));
        site.addBooking(site.gamma, Wednesday, at(23, 30), at(23, 59));
        site.addBooking(site.gamma, Wednesday, at(23, 45), at(23, 59));
        site.addBooking(site.gamma, Wednesday, QVariant(), at(9, 0));
        site.addBooking(site.beta, Wednesday, at(8, 0), at(9, 0));
        site.addBooking(delta, Wednesday, at(9, 10), at(9, 20), QString());

        TSchedulesByTypeForm view(nullptr);
        view.DisplayedDate->setDate(TimeValue::toDate(Wednesday));   // as the user picks it
        const QList<int> shown{site.alpha, site.gamma, delta};
        ScheduleGrid expected(int(shown.size()) + 1, SlotRowCount());
        FillTimeColumn(expected);
        for (int i = 0; i < shown.size(); ++i)
            FillScheduleColumn(i + 1, shown[i], false, expected, Wednesday, false);

        QCOMPARE(view.Schedule().ColCount(), expected.ColCount());
        for (int col = 0; col < expected.ColCount(); ++col)
            for (int row = 0; row < expected.RowCount(); ++row)
                QCOMPARE(view.Schedule().Cell(col, row), expected.Cell(col, row));
        // What the comparison covers, in the view's own words.
        QCOMPARE(shownText(view, 1, 21), QStringLiteral("Me Myself"));
        QCOMPARE(shownText(view, 1, 22), QStringLiteral("User Deleted"));
        QCOMPARE(shownText(view, 1, 29), QStringLiteral("User Deleted"));   // ANN has no name
        QCOMPARE(shownText(view, 2, 48), QStringLiteral("Me Myself"));
        QCOMPARE(shownText(view, 2, 1), QString());
        QCOMPARE(shownText(view, 3, 20), QStringLiteral("User Deleted"));
    }

    void switchingTypesLeavesNoColumnBehind()
    {
        RoomsSite site;
        CurrentSecurity.Supervisor = true;
        const int vans = site.addType(QStringLiteral("Vans"));
        const int boats = site.addType(QStringLiteral("Boats"));
        site.addResource(QStringLiteral("Van 1"), vans);
        site.addResource(QStringLiteral("Van 2"), vans);
        const int delta = site.addResource(QStringLiteral("Delta"), site.rooms);
        site.addResource(QStringLiteral("Epsilon"), site.rooms);
        site.addBooking(delta, TimeValue::today(), at(10, 0), at(11, 0));
        site.standOnType(site.rooms);
        TSchedulesByTypeForm view(nullptr);
        QCOMPARE(headings(view), (QStringList{"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}));

        view.TypeIDDisplay->SetKeyValue(vans);
        QCOMPARE(headings(view), (QStringList{"Van 1", "Van 2"}));
        QCOMPARE(view.Schedule().ColCount(), 3);

        // A type with nothing to show: one blank column, with nothing of the type before in it.
        view.TypeIDDisplay->SetKeyValue(boats);
        QCOMPARE(view.DrawGrid1->ColCount(), 2);
        for (int row = 0; row < view.Schedule().RowCount(); ++row)
            QCOMPARE(view.Schedule().Cell(1, row), QString());
        ModalScript windows([](QDialog &) { return int(QDialog::Rejected); });
        view.DrawGrid1DblClick(1, 21);
        view.DrawGrid1DblClick(1, 0);
        QVERIFY(windows.shown.isEmpty());
    }

    void focusesTheSlotOfTheTime_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("row");
        QTest::newRow("on a slot start") << 30 << at(10, 0) << 21;
        QTest::newRow("inside a slot") << 30 << at(10, 10) << 22;
        // The next slot start lies past the grid: the last slot, as in the resource view.
        QTest::newRow("inside the last slot") << 60 << at(23, 59, 30) << 24;
    }

    void focusesTheSlotOfTheTime()
    {
        QFETCH(int, interval);
        QFETCH(double, time);
        QFETCH(int, row);
        RoomsSite site;
        SystemSettings.TimeInterval = interval;
        TSchedulesByTypeForm view(nullptr);
        showActive(view);
        view.ShowTimeOfDay(time);
        QCOMPARE(view.DrawGrid1->Row(), row);
        QVERIFY(view.DrawGrid1->TopRow() <= row);
    }

    void headingOpensTheResourceInformation()
    {
        RoomsSite site;
        TSchedulesByTypeForm view(nullptr);
        int located = -1;
        ModalScript windows([&](QDialog &) {
            located = site.data.ResourceTable.FieldValue("ResourceID").toInt();
            return int(QDialog::Accepted);
        });
        const QRect gammaHeading = view.DrawGrid1->CellRect(2, 0);
        QTest::mouseDClick(view.DrawGrid1->viewport(), Qt::LeftButton, {}, gammaHeading.center());
        QCOMPARE(windows.shown, QStringList{"TResourceInformationForm"});
        QCOMPARE(located, site.gamma);

        view.DrawGrid1DblClick(0, 0);   // the "Time" heading
        QCOMPARE(windows.shown.size(), 1);
    }

    void slotsOpenTheEditorAndRebuildAfterSave()
    {
        RoomsSite site;
        TSchedulesByTypeForm view(nullptr);
        showActive(view);
        QString proposed;
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            proposed = editor.ResourceLookup->currentText() + QLatin1Char(' ')
                + TimeValue::toTime(editor.SchStartTime->Time()).toString(QStringLiteral("hh:mm"));
            editor.SaveBtnClick();
            return editor.result();
        });
        view.ShowTimeOfDay(at(10, 0));
        const QRect gammaAtTen = view.DrawGrid1->CellRect(2, 21);
        QTest::mouseDClick(view.DrawGrid1->viewport(), Qt::LeftButton, {}, gammaAtTen.center());
        QCOMPARE(proposed, QStringLiteral("Gamma 10:00"));
        QCOMPARE(shownText(view, 2, 21), QStringLiteral("Me Myself"));

        view.DrawGrid1->SetCol(1);
        view.DrawGrid1->SetRow(25);
        QTest::mouseClick(view.AddBtn, Qt::LeftButton);
        QCOMPARE(proposed, QStringLiteral("Alpha 12:00"));
        QCOMPARE(shownText(view, 1, 25), QStringLiteral("Me Myself"));
    }

    void addWithoutASlotStartsABookingOfNoResource()
    {
        RoomsSite site;
        const int boats = site.addType(QStringLiteral("Boats"));
        site.standOnType(boats);
        TSchedulesByTypeForm view(nullptr);
        view.DisplayedDate->setDate(TimeValue::toDate(Wednesday));
        QVariant resource = 0;
        double date = 0;
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            resource = editor.ResourceLookup->KeyValue();
            date = editor.EventDatePicker->Date();
            return int(QDialog::Rejected);
        });
        view.AddBtnClick();
        QCOMPARE(windows.shown, QStringList{"TScheduleForm"});
        QVERIFY(FieldValue::isNull(resource) || resource.toInt() == 0);
        QCOMPARE(date, Wednesday);

        CurrentSecurity.CanAddSchedule = false;
        TSchedulesByTypeForm withoutRight(nullptr);
        QVERIFY(!withoutRight.AddBtn->isEnabled());
    }
};

QTEST_MAIN(TestSchedulesByType)
#include "tst_schedulesbytype.moc"
