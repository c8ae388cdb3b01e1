// The resource schedule view: its columns in detail and range mode, what it paints, where it
// scrolls, and how it opens the booking editor and rebuilds afterwards.

#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ProgramConst.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"
#include "views/DisplayScheduleFrm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

double at(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

const double Friday = TimeValue::fromDate(QDate(2030, 3, 8));

// Slots of 30 minutes, a week's range, two resources with the view on "Room"; the logged-on user
// is ME and may add bookings.
class Fixture
{
public:
    Fixture()
    {
        SystemSettings = TSystemInfo();
        SystemSettings.TimeInterval = 30;
        SystemSettings.DefaultDays = 7;
        CurrentUser = TLoginData{QStringLiteral("ME"), 1, QStringLiteral("Me Myself"), QString()};
        CurrentSecurity = TSecurityData();
        CurrentSecurity.CanAddSchedule = true;
        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", QStringLiteral("ME"));
        users.SetFieldValue("UserName", QStringLiteral("Me Myself"));
        users.Post();
        hall = addResource("Hall", 80);
        room = addResource("Room", 6);
    }

    int addResource(const char *name, int capacity)
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", QString::fromLatin1(name));
        resources.SetFieldValue("Capacity", capacity);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    // Written as another workstation would, past the program's shared tables.
    void addBooking(int resource, double date, double start, double end, const QString &notes = QString())
    {
        TTable other(data.ScheduleDatabase, QStringLiteral("Schedule.db"));
        other.Open();
        other.Append();
        other.SetFieldValue("ResourceID", resource);
        other.SetFieldValue("ScheduleDate", date);
        other.SetFieldValue("StartTime", start);
        other.SetFieldValue("EndTime", end);
        other.SetFieldValue("ReservedBy", QStringLiteral("ME"));
        other.SetFieldValue("Notes", notes);
        other.Post();
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    int hall = 0;
    int room = 0;
};

QString shownText(const TDisplaySchedulesForm &view, int col, int row)
{
    return CellText(view.Schedule().Cell(col, row));
}

QStringList headings(const TDisplaySchedulesForm &view)
{
    QStringList texts;
    for (int col = 1; col < view.DrawGrid1->ColCount(); ++col)
        texts << shownText(view, col, 0);
    return texts;
}

void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Records the message of every progress notice put up.
class NoticeWatcher : public QObject
{
public:
    NoticeWatcher() { qApp->installEventFilter(this); }
    ~NoticeWatcher() override { qApp->removeEventFilter(this); }
    QStringList messages;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *notice = qobject_cast<TMessageForm *>(watched))
                messages << notice->Label1->text();
        return false;
    }
};

} // namespace

class TestDisplaySchedules : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheViewInItsMode_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("detail");
        QTest::newRow("Display Resource Detail") << "DisplayResourceDetail1" << true;
        QTest::newRow("Display Range Of Date") << "DisplayRangeOfDate1" << false;
    }

    void mainWindowOpensTheViewInItsMode()
    {
        QFETCH(QString, command);
        QFETCH(bool, detail);
        Fixture site;
        TMainForm main;
        QPointer<TDisplaySchedulesForm> opened;
        QWidget *owner = nullptr;
        bool detailShown = !detail;
        ModalScript windows([&](QDialog &dialog) {
            opened = static_cast<TDisplaySchedulesForm *>(&dialog);
            owner = dialog.parentWidget();
            detailShown = opened->DetailMode();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(command)->trigger();
        QCOMPARE(windows.shown, QStringList{"TDisplaySchedulesForm"});
        QCOMPARE(owner, &main);
        QCOMPARE(detailShown, detail);
        QVERIFY(!opened);   // freed when it closed
    }

    void columnsOfEachMode_data()
    {
        QTest::addColumn<bool>("detail");
        QTest::addColumn<int>("defaultDays");
        QTest::addColumn<int>("days");
        QTest::newRow("detail") << true << 7 << 1;
        QTest::newRow("range of a week") << false << 7 << 7;
        QTest::newRow("range of three days") << false << 3 << 3;
        QTest::newRow("range of no days") << false << 0 << 1;
        QTest::newRow("range of fewer than none") << false << -2 << 1;
    }

    void columnsOfEachMode()
    {
        QFETCH(bool, detail);
        QFETCH(int, defaultDays);
        QFETCH(int, days);
        Fixture site;
        SystemSettings.DefaultDays = defaultDays;
        TDisplaySchedulesForm view(nullptr, detail);

        QStringList expected;
        for (int day = 0; day < days; ++day)
            expected << TimeValue::toShortDateText(TimeValue::today() + day);
        if (detail)
            expected << QStringLiteral("Notes");
        QCOMPARE(headings(view), expected);
        QCOMPARE(view.DrawGrid1->ColCount(), expected.size() + 1);
        QCOMPARE(view.DrawGrid1->RowCount(), 49);
        QCOMPARE(shownText(view, 0, 0), QStringLiteral("Time"));
        QCOMPARE(view.windowTitle(), QStringLiteral("Schedules"));
        if (detail) {
            QCOMPARE(view.DrawGrid1->ColWidth(0), 74);
            QCOMPARE(view.DrawGrid1->ColWidth(1), 144);
            QCOMPARE(view.DrawGrid1->ColWidth(2), 297);
        }
        // Every day column holds the displayed resource's slots, ready for the editor.
        for (int col = 1; col <= days; ++col)
            QCOMPARE(CellResourceID(view.Schedule().Cell(col, 21)), site.room);
    }

    void bookingsShowInTheirSlotsWithTheirNotes()
    {
        Fixture site;
        site.addBooking(site.room, TimeValue::today(), at(10, 0), at(11, 0), QStringLiteral("Planning"));
        site.addBooking(site.hall, TimeValue::today(), at(12, 0), at(13, 0));
        TDisplaySchedulesForm view(nullptr, true);
        QCOMPARE(shownText(view, 1, 20), QString());
        QCOMPARE(shownText(view, 1, 21), QStringLiteral("Me Myself"));
        QCOMPARE(shownText(view, 2, 21), QStringLiteral("Planning"));
        QCOMPARE(shownText(view, 1, 22), ContinuationMarker);
        QCOMPARE(shownText(view, 1, 23), QString());
        QCOMPARE(shownText(view, 1, 25), QString());   // the hall's booking is not the room's
        QCOMPARE(view.ResourceCapacity->text(), QStringLiteral("6"));
    }

    void buildingPutsUpTheProgressNotice()
    {
        Fixture site;
        NoticeWatcher notices;
        TDisplaySchedulesForm view(nullptr, false);
        QCOMPARE(notices.messages, QStringList{"Please Wait Buidling Schedule Table"});
        QVERIFY(!MessageForm);
    }

    void paintsBookedFreeAndNonWorkingSlots()
    {
        Fixture site;
        site.addBooking(site.room, Friday, at(10, 0), at(11, 0));
        TDisplaySchedulesForm view(nullptr, false);
        view.DisplayedDate->setDate(TimeValue::toDate(Friday));   // as the user picks it
        showActive(view);
        view.ShowTimeOfDay(at(7, 0));
        const QImage picture = view.DrawGrid1->viewport()->grab().toImage();
        const auto colourAt = [&](int col, int row) {
            const QRect cell = view.DrawGrid1->CellRect(col, row);
            return picture.pixelColor(cell.right() - 3, cell.center().y());
        };
        const QColor buttonFace = QApplication::palette().color(QPalette::Button);
        QCOMPARE(colourAt(1, 21), QColor(Qt::yellow));   // Friday 10:00, booked
        QCOMPARE(colourAt(1, 25), QColor(Qt::white));    // Friday 12:00, free
        QCOMPARE(colourAt(1, 16), buttonFace);            // Friday 07:30, before working hours
        QCOMPARE(colourAt(2, 21), buttonFace);            // Saturday 10:00
        QCOMPARE(shownText(view, 2, 0), TimeValue::toShortDateText(Friday + 1));
    }

    void scrollsToTheTimeOfDay_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("row");
        QTest::newRow("on a slot start") << 30 << at(10, 0) << 21;
        QTest::newRow("inside a slot") << 30 << at(10, 10) << 22;
        QTest::newRow("midnight") << 30 << 0.0 << 1;
        // The next slot start lies past the grid: the last slot, the one the time is in.
        QTest::newRow("inside the last slot") << 60 << at(23, 59) + 30.0 / 86400 << 24;
    }

    void scrollsToTheTimeOfDay()
    {
        QFETCH(int, interval);
        QFETCH(double, time);
        QFETCH(int, row);
        Fixture site;
        SystemSettings.TimeInterval = interval;
        TDisplaySchedulesForm view(nullptr, true);
        showActive(view);
        view.ShowTimeOfDay(time);
        QCOMPARE(view.DrawGrid1->Row(), row);
        const int top = view.DrawGrid1->TopRow();
        QVERIFY(top <= row && row < top + view.DrawGrid1->VisibleRowCount());
        if (row + view.DrawGrid1->VisibleRowCount() <= view.DrawGrid1->RowCount())
            QCOMPARE(top, row);
    }

    void editorOpensOnDoubleClickAndRebuildsOnlyAfterOk_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved") << true;
        QTest::newRow("cancelled") << false;
    }

    void editorOpensOnDoubleClickAndRebuildsOnlyAfterOk()
    {
        QFETCH(bool, save);
        Fixture site;
        TDisplaySchedulesForm view(nullptr, false);
        showActive(view);
        view.ShowTimeOfDay(at(10, 0));
        QString proposed;
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            proposed = editor.ResourceLookup->currentText() + QLatin1Char(' ')
                + TimeValue::toShortDateText(editor.EventDatePicker->Date()) + QLatin1Char(' ')
                + TimeValue::toTime(editor.SchStartTime->Time()).toString(QStringLiteral("hh:mm"));
            // Meanwhile another workstation books the afternoon.
            site.addBooking(site.room, TimeValue::today() + 1, at(14, 0), at(15, 0));
            if (save)
                editor.SaveBtnClick();
            else
                editor.reject();
            return editor.result();
        });
        const QRect tomorrowAtTen = view.DrawGrid1->CellRect(2, 21);
        QTest::mouseDClick(view.DrawGrid1->viewport(), Qt::LeftButton, {}, tomorrowAtTen.center());

        QCOMPARE(windows.shown, QStringList{"TScheduleForm"});
        QCOMPARE(proposed, QStringLiteral("Room %1 10:00").arg(TimeValue::toShortDateText(TimeValue::today() + 1)));
        QCOMPARE(shownText(view, 2, 21), save ? QStringLiteral("Me Myself") : QString());
        QCOMPARE(shownText(view, 2, 29), save ? QStringLiteral("Me Myself") : QString());
    }

    void onlySlotCellsOfAChosenResourceOpenTheEditor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("resourceChosen");
        QTest::addColumn<bool>("opens");
        QTest::newRow("slot") << 1 << 21 << true << true;
        QTest::newRow("notes of a slot") << 2 << 21 << true << true;
        QTest::newRow("time column") << 0 << 21 << true << false;
        QTest::newRow("heading") << 1 << 0 << true << false;
        QTest::newRow("no resource chosen") << 1 << 21 << false << false;
    }

    void onlySlotCellsOfAChosenResourceOpenTheEditor()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(bool, resourceChosen);
        QFETCH(bool, opens);
        Fixture site;
        TDisplaySchedulesForm view(nullptr, true);
        if (!resourceChosen)
            view.DisplayedResource->SetKeyValue(QVariant());
        ModalScript windows([](QDialog &) { return int(QDialog::Rejected); });
        view.DrawGrid1DblClick(col, row);
        QCOMPARE(windows.shown.size(), opens ? 1 : 0);
    }

    void addOpensTheFocusedSlot()
    {
        Fixture site;
        TDisplaySchedulesForm view(nullptr, false);
        QVERIFY(view.AddBtn->isEnabled());
        view.DrawGrid1->SetCol(3);
        view.DrawGrid1->SetRow(25);
        QString proposed;
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            proposed = TimeValue::toShortDateText(editor.EventDatePicker->Date()) + QLatin1Char(' ')
                + TimeValue::toTime(editor.SchStartTime->Time()).toString(QStringLiteral("hh:mm"));
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(view.AddBtn, Qt::LeftButton);
        QCOMPARE(proposed, TimeValue::toShortDateText(TimeValue::today() + 2) + QStringLiteral(" 12:00"));

        CurrentSecurity.CanAddSchedule = false;
        TDisplaySchedulesForm withoutRight(nullptr, false);
        QVERIFY(!withoutRight.AddBtn->isEnabled());
    }

    void choosingAnotherResourceOrDateRebuilds()
    {
        Fixture site;
        site.addBooking(site.hall, Friday, at(9, 0), at(10, 0));
        TDisplaySchedulesForm view(nullptr, true);
        view.DisplayedResource->setFocus();
        QTest::keyClick(view.DisplayedResource, Qt::Key_Up);   // Room -> Hall
        QCOMPARE(view.DisplayedResource->currentText(), QStringLiteral("Hall"));
        QCOMPARE(CellResourceID(view.Schedule().Cell(1, 19)), site.hall);
        QCOMPARE(view.ResourceCapacity->text(), QStringLiteral("80"));
        view.DisplayedDate->setDate(TimeValue::toDate(Friday));
        QCOMPARE(shownText(view, 1, 0), TimeValue::toShortDateText(Friday));
        QCOMPARE(shownText(view, 1, 19), QStringLiteral("Me Myself"));
    }

    void theViewKeepsItsResourceWhenTheEditorBooksAnother()
    {
        Fixture site;
        TDisplaySchedulesForm view(nullptr, true);
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            editor.ResourceLookup->setFocus();
            QTest::keyClick(editor.ResourceLookup, Qt::Key_Up);   // Room -> Hall
            editor.SaveBtnClick();
            return editor.result();
        });
        view.DrawGrid1DblClick(1, 21);
        QCOMPARE(view.DisplayedResource->currentText(), QStringLiteral("Room"));
        QCOMPARE(site.data.ResourceTable.FieldValue("ResourceID").toInt(), site.room);
        QCOMPARE(CellResourceID(view.Schedule().Cell(1, 21)), site.room);
        QCOMPARE(shownText(view, 1, 21), QString());   // the booking went to the hall
        QCOMPARE(view.ResourceCapacity->text(), QStringLiteral("6"));
    }
};

QTEST_MAIN(TestDisplaySchedules)
#include "tst_displayschedules.moc"
