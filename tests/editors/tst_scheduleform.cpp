// The booking editor: what it proposes for a cell, who may change what, the conflict check on
// Save, the end-time rule, and that closing without Save or Delete leaves the bookings as stored.

#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/Database.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ProgramConst.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

double at(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

int minuteOf(double time)
{
    return qRound((time - std::floor(time)) * 1440.0);
}

// Rights as the rows of the tables below name them.
struct Rights
{
    bool addSchedule = false;
    bool addOthers = false;
    bool listedForVault = false;
};

} // namespace

Q_DECLARE_METATYPE(Rights)
Q_DECLARE_METATYPE(MessageResult)

namespace {

// Two users, an open room and a restricted vault, slots of 30 minutes; the logged-on user is ME.
class Fixture
{
public:
    Fixture()
    {
        SystemSettings = TSystemInfo();
        SystemSettings.TimeInterval = 30;
        CurrentUser = TLoginData{QStringLiteral("ME"), 1, QStringLiteral("Me Myself"), QString()};
        grant(Rights{true});
        addUser("ME", "Me Myself");
        addUser("OTHER", "Somebody Else");
        room = addResource("Room", false);
        vault = addResource("Vault", true);
    }

    void grant(const Rights &rights)
    {
        CurrentSecurity = TSecurityData();
        CurrentSecurity.CanAddSchedule = rights.addSchedule;
        CurrentSecurity.CanAddOtherSchedule = rights.addOthers;
        data.AllowedResources.clear();
        if (rights.listedForVault)
            data.AllowedResources << QString::number(vault);
    }

    void addUser(const char *id, const char *name)
    {
        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", QString::fromLatin1(id));
        users.SetFieldValue("UserName", QString::fromLatin1(name));
        users.SetFieldValue("SecurityID", 1);
        users.Post();
    }

    int addResource(const char *name, bool restricted)
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", QString::fromLatin1(name));
        resources.SetFieldValue("Restricted", restricted);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    int addBooking(int resource, double start, double end, const QString &reservedBy, const QString &notes = QString())
    {
        TTable &schedule = data.ScheduleTable;
        schedule.Append();
        schedule.SetFieldValue("ResourceID", resource);
        schedule.SetFieldValue("ScheduleDate", day);
        schedule.SetFieldValue("StartTime", start);
        schedule.SetFieldValue("EndTime", end);
        schedule.SetFieldValue("ReservedBy", reservedBy);
        schedule.SetFieldValue("Notes", notes);
        schedule.Post();
        return schedule.FieldValue("Sequence").toInt();
    }

    // The booking as another workstation would read it now; invalid when there is none.
    TRecord stored(int sequence)
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Schedule.db"));
        fresh.Open();
        return fresh.FindKey({sequence}) ? fresh.CurrentRecord() : TRecord();
    }

    int bookingCount()
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Schedule.db"));
        fresh.Open();
        return fresh.RecordCount();
    }

    QString bookedCell(int sequence, int resource) { return MakeCellText(sequence, resource, QStringLiteral("x"), day); }
    QString freeCell(int resource) { return MakeCellText(-1, resource, QString(), day); }

    TestSite site;
    TProgramDataForm &data = site.data();
    const double day = TimeValue::fromDate(QDate(2030, 3, 6));   // a Wednesday
    int room = 0;
    int vault = 0;
};

// The controls that let the user change something, by name.
QStringList changeable(const TScheduleForm &editor)
{
    QStringList names;
    if (editor.SaveBtn->isEnabled())
        names << "Save";
    if (editor.DeleteBtn->isEnabled())
        names << "Delete";
    if (!editor.NotesMemo->isReadOnly())
        names << "Notes";
    if (editor.ReservedByLookup->isEnabled() && !editor.ReservedByLookup->ReadOnly())
        names << "ReservedBy";
    if (editor.EventDatePicker->isEnabled())
        names << "Date";
    if (editor.SchStartTime->isEnabled())
        names << "Start";
    if (editor.ResourceLookup->isEnabled())
        names << "Resource";
    if (editor.InfoBtn->isEnabled())
        names << "Info";
    return names;
}

bool showsButtonFace(const QWidget *control)
{
    return control->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Button);
}

const QStringList Everything = {"Save", "Delete", "Notes", "Date", "Start", "Resource", "Info"};

} // namespace

class TestScheduleForm : public QObject
{
    Q_OBJECT

private slots:
    void newBookingFromAFreeSlot_data()
    {
        QTest::addColumn<bool>("canAddSchedule");
        QTest::newRow("may add bookings") << true;
        // The right gates the views' Add buttons; a booking of one's own can always be saved.
        QTest::newRow("may not add bookings") << false;
    }

    void newBookingFromAFreeSlot()
    {
        QFETCH(bool, canAddSchedule);
        Fixture site;
        site.grant(Rights{canAddSchedule});
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.room), SlotStartTime(21));

        QCOMPARE(site.data.ScheduleTable.state(), TTable::State::Insert);
        QCOMPARE(editor.ResourceLookup->currentText(), QStringLiteral("Room"));
        QCOMPARE(editor.ReservedByLookup->currentText(), QStringLiteral("Me Myself"));
        QCOMPARE(editor.EventDatePicker->Date(), site.day);
        QCOMPARE(minuteOf(editor.SchStartTime->Time()), 10 * 60);
        QCOMPARE(minuteOf(editor.SchEndTime->Time()), 10 * 60 + 30);
        QCOMPARE(editor.Duration->Value(), 30);
        QVERIFY(editor.SaveBtn->isEnabled());
        QVERIFY(!editor.DeleteBtn->isEnabled());
        QVERIFY(!editor.SchEndTime->isEnabled());

        editor.SaveBtnClick();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(site.bookingCount(), 1);
        const int sequence = site.data.ScheduleTable.FieldValue("Sequence").toInt();
        const TRecord booking = site.stored(sequence);
        QCOMPARE(booking.FieldValue("ResourceID").toInt(), site.room);
        QCOMPARE(booking.FieldValue("ScheduleDate").toDouble(), site.day);
        QCOMPARE(minuteOf(booking.FieldValue("StartTime").toDouble()), 10 * 60);
        QCOMPARE(minuteOf(booking.FieldValue("EndTime").toDouble()), 10 * 60 + 30);
        QCOMPARE(booking.FieldValue("ReservedBy").toString(), QStringLiteral("ME"));
        QCOMPARE(booking.FieldValue("ModifiedBy").toString(), QStringLiteral("ME"));
    }

    void rightsDecideWhatMayChange_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<bool>("restricted");
        QTest::addColumn<Rights>("rights");
        QTest::addColumn<QStringList>("expected");
        const QStringList lookOnly = {"Resource", "Info"};
        QTest::newRow("own booking") << "ME" << false << Rights{true} << Everything;
        QTest::newRow("own booking without the right to add") << "ME" << false << Rights{} << Everything;
        QTest::newRow("someone else's") << "OTHER" << false << Rights{true} << QStringList{"Info"};
        QTest::newRow("someone else's, booking for others allowed")
            << "OTHER" << false << Rights{true, true}
            << QStringList{"Save", "Delete", "Notes", "ReservedBy", "Date", "Start", "Resource", "Info"};
        QTest::newRow("restricted resource, user not listed") << "ME" << true << Rights{true} << lookOnly;
        QTest::newRow("restricted resource, booking for others allowed") << "ME" << true << Rights{true, true} << lookOnly;
        QTest::newRow("restricted resource, user listed") << "ME" << true << Rights{true, false, true} << Everything;
    }

    void rightsDecideWhatMayChange()
    {
        QFETCH(QString, owner);
        QFETCH(bool, restricted);
        QFETCH(Rights, rights);
        QFETCH(QStringList, expected);
        Fixture site;
        const int resource = restricted ? site.vault : site.room;
        const int sequence = site.addBooking(resource, at(9, 0), at(10, 0), owner);
        site.grant(rights);
        TScheduleForm editor;
        editor.OpenForCell(site.bookedCell(sequence, resource), SlotStartTime(19));

        QCOMPARE(changeable(editor), expected);
        QCOMPARE(showsButtonFace(editor.NotesMemo), editor.NotesMemo->isReadOnly());
        QCOMPARE(showsButtonFace(editor.SchStartTime), !editor.SchStartTime->isEnabled());
    }

    void choosingARestrictedResourceTakesTheRightsAway()
    {
        Fixture site;
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.room), SlotStartTime(21));
        QCOMPARE(changeable(editor), (QStringList{"Save", "Notes", "Date", "Start", "Resource", "Info"}));
        editor.ResourceLookup->setFocus();
        QTest::keyClick(editor.ResourceLookup, Qt::Key_Down);   // Room -> Vault
        QCOMPARE(editor.ResourceLookup->currentText(), QStringLiteral("Vault"));
        QCOMPARE(changeable(editor), (QStringList{"Resource", "Info"}));
        QTest::keyClick(editor.ResourceLookup, Qt::Key_Up);
        QCOMPARE(changeable(editor), (QStringList{"Save", "Notes", "Date", "Start", "Resource", "Info"}));
    }

    void saveRefusesAnOverlap_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<bool>("accepted");
        // Somebody else holds the room from 10:00 to 11:00.
        QTest::newRow("inside") << at(10, 30) << 30 << false;
        QTest::newRow("across its start") << at(9, 30) << 60 << false;
        QTest::newRow("enclosing it") << at(9, 30) << 120 << false;
        QTest::newRow("ending as it starts") << at(9, 30) << 30 << true;
        QTest::newRow("starting as it ends") << at(11, 0) << 30 << true;
    }

    void saveRefusesAnOverlap()
    {
        QFETCH(double, start);
        QFETCH(int, duration);
        QFETCH(bool, accepted);
        Fixture site;
        site.addBooking(site.room, at(10, 0), at(11, 0), QStringLiteral("OTHER"));
        MessageBoxRecorder boxes;
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.room), start);
        editor.Duration->SetValue(duration);
        editor.SaveBtnClick();

        QCOMPARE(site.bookingCount(), accepted ? 2 : 1);
        QCOMPARE(editor.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        if (accepted) {
            QVERIFY(boxes.shown.isEmpty());
            return;
        }
        QCOMPARE(boxes.texts(), QStringList{"Error: This Resource Is Already Schedule For This Time And Date"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
        // The booking is still on screen, to be corrected.
        QCOMPARE(site.data.ScheduleTable.state(), TTable::State::Insert);
    }

    void saveNeedsAResource()
    {
        Fixture site;
        MessageBoxRecorder boxes;
        TScheduleForm editor;
        editor.OpenForCell(MakeCellText(-1, 0, QString(), site.day), at(10, 0));
        QVERIFY(!editor.InfoBtn->isEnabled() || editor.ResourceLookup->currentIndex() < 0);
        editor.SaveBtnClick();
        QCOMPARE(boxes.texts(), QStringList{"Error: Please Select A Resource"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
        QCOMPARE(site.bookingCount(), 0);
        QCOMPARE(editor.result(), int(QDialog::Rejected));
    }

    void savingABookingUnchangedKeepsIt_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<int>("durationShown");
        QTest::newRow("one hour") << at(10, 0) << at(11, 0) << 60;
        QTest::newRow("shorter than a slot") << at(10, 0) << at(10, 10) << 30;
    }

    void savingABookingUnchangedKeepsIt()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(int, durationShown);
        Fixture site;
        const int sequence = site.addBooking(site.room, start, end, QStringLiteral("ME"), QStringLiteral("Planning"));
        MessageBoxRecorder boxes;
        TScheduleForm editor;
        editor.OpenForCell(site.bookedCell(sequence, site.room), SlotStartTime(21));
        QCOMPARE(editor.Duration->Value(), durationShown);
        QCOMPARE(minuteOf(editor.SchEndTime->Time()), minuteOf(end));
        QVERIFY(editor.DeleteBtn->isEnabled());

        editor.SaveBtnClick();
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const TRecord booking = site.stored(sequence);
        QCOMPARE(minuteOf(booking.FieldValue("StartTime").toDouble()), minuteOf(start));
        QCOMPARE(minuteOf(booking.FieldValue("EndTime").toDouble()), minuteOf(end));
        QCOMPARE(booking.FieldValue("Notes").toString(), QStringLiteral("Planning"));
        QCOMPARE(site.bookingCount(), 1);
    }

    void endTimeFollowsStartAndDuration_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("slotStart");
        QTest::addColumn<double>("newStart");   // negative: left as proposed
        QTest::addColumn<int>("newDuration");   // 0: left as proposed
        QTest::addColumn<int>("storedEnd");     // minute of the day
        QTest::newRow("an hour and a half") << 30 << at(10, 0) << -1.0 << 90 << 11 * 60 + 30;
        QTest::newRow("past midnight by duration") << 30 << at(23, 30) << -1.0 << 60 << 23 * 60 + 59;
        QTest::newRow("past midnight by start") << 60 << at(10, 0) << at(23, 30) << 0 << 23 * 60 + 59;
        QTest::newRow("last slot of the day") << 60 << at(23, 0) << -1.0 << 0 << 23 * 60 + 59;
        QTest::newRow("a whole day") << 30 << at(22, 0) << -1.0 << 1440 << 22 * 60;
    }

    void endTimeFollowsStartAndDuration()
    {
        QFETCH(int, interval);
        QFETCH(double, slotStart);
        QFETCH(double, newStart);
        QFETCH(int, newDuration);
        QFETCH(int, storedEnd);
        Fixture site;
        SystemSettings.TimeInterval = interval;
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.room), slotStart);
        if (newStart >= 0)
            editor.SchStartTime->setTime(TimeValue::toTime(newStart));   // as the user types it
        if (newDuration > 0)
            editor.Duration->SetValue(newDuration);
        if (storedEnd == 23 * 60 + 59)
            QCOMPARE(editor.SchEndTime->Time(), EndOfDayTime);
        editor.SaveBtnClick();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const TRecord booking = site.stored(site.data.ScheduleTable.FieldValue("Sequence").toInt());
        QCOMPARE(minuteOf(booking.FieldValue("EndTime").toDouble()), storedEnd);
    }

    void closingWithoutSaveLeavesTheBookingsAsStored_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("existing booking, close box") << true << true;
        QTest::newRow("existing booking, Cancel") << true << false;
        QTest::newRow("new booking, close box") << false << true;
    }

    void closingWithoutSaveLeavesTheBookingsAsStored()
    {
        QFETCH(bool, existing);
        QFETCH(bool, closeBox);
        Fixture site;
        const int sequence = site.addBooking(site.room, at(9, 0), at(10, 0), QStringLiteral("ME"), QStringLiteral("Before"));
        TScheduleForm editor;
        editor.OpenForCell(existing ? site.bookedCell(sequence, site.room) : site.freeCell(site.room), at(14, 0));
        editor.show();
        editor.NotesMemo->setFocus();
        QTest::keyClicks(editor.NotesMemo, QStringLiteral(" and after"));
        QVERIFY(site.data.ScheduleTable.Modified());
        if (closeBox)
            editor.close();
        else
            QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);

        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QCOMPARE(site.data.ScheduleTable.state(), TTable::State::Browse);
        // A later move of the shared table must not store the dropped change either.
        site.data.ScheduleTable.First();
        QCOMPARE(site.bookingCount(), 1);
        QCOMPARE(site.stored(sequence).FieldValue("Notes").toString(), QStringLiteral("Before"));
    }

    void aBookingDeletedMeanwhileOpensAsANewOne()
    {
        Fixture site;
        const int sequence = site.addBooking(site.room, at(9, 0), at(10, 0), QStringLiteral("OTHER"));
        site.data.ScheduleDatabase.exec(QStringLiteral("DELETE FROM \"Schedule\" WHERE \"Sequence\" = ?"), {sequence});
        TScheduleForm editor;
        editor.OpenForCell(site.bookedCell(sequence, site.room), at(9, 30));
        QCOMPARE(site.data.ScheduleTable.state(), TTable::State::Insert);
        QCOMPARE(editor.ReservedByLookup->currentText(), QStringLiteral("Me Myself"));
        QCOMPARE(editor.ResourceLookup->currentText(), QStringLiteral("Room"));
        QCOMPARE(minuteOf(editor.SchStartTime->Time()), 9 * 60 + 30);
        QVERIFY(!editor.DeleteBtn->isEnabled());
        editor.SaveBtnClick();
        QCOMPARE(site.bookingCount(), 1);
        QVERIFY(!site.stored(sequence).IsValid());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("yes") << MessageResult::Yes;
        QTest::newRow("no") << MessageResult::No;
    }

    void deleteAsksFirst()
    {
        QFETCH(MessageResult, answer);
        Fixture site;
        const int sequence = site.addBooking(site.room, at(9, 0), at(10, 0), QStringLiteral("ME"));
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        TScheduleForm editor;
        editor.OpenForCell(site.bookedCell(sequence, site.room), at(9, 0));
        QTest::mouseClick(editor.DeleteBtn, Qt::LeftButton);

        QCOMPARE(boxes.texts(), QStringList{"Are You User You Want To Delete This Schedule?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Question);
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::YesNo);
        const bool deleted = answer == MessageResult::Yes;
        QCOMPARE(site.stored(sequence).IsValid(), !deleted);
        QCOMPARE(editor.result(), int(deleted ? QDialog::Accepted : QDialog::Rejected));
    }

    // The engine's refusal reaches the user as a message from the button's own handler: the window
    // stays open with what was typed, and the next Save goes through.
    void aSaveTheEngineRefusesIsShownAndTheEditorGoesOn()
    {
        Fixture site;
        MessageBoxRecorder boxes;
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.room), SlotStartTime(21));
        TDatabase other(site.site.database.location());
        other.Open();
        other.exec(QStringLiteral("ALTER TABLE \"Schedule\" RENAME TO \"ScheduleElsewhere\""));

        QTest::mouseClick(editor.SaveBtn, Qt::LeftButton);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
        QVERIFY(boxes.texts().first().contains(QLatin1String("Schedule")));
        QCOMPARE(editor.result(), 0);

        other.exec(QStringLiteral("ALTER TABLE \"ScheduleElsewhere\" RENAME TO \"Schedule\""));
        QTest::mouseClick(editor.SaveBtn, Qt::LeftButton);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(site.bookingCount(), 1);
    }

    void infoShowsTheChosenResource()
    {
        Fixture site;
        QString shown;
        ModalScript windows([&](QDialog &dialog) {
            shown = static_cast<TResourceInformationForm &>(dialog).DBEdit2->text();
            return int(QDialog::Accepted);
        });
        TScheduleForm editor;
        editor.OpenForCell(site.freeCell(site.vault), at(9, 0));
        QTest::mouseClick(editor.InfoBtn, Qt::LeftButton);
        QCOMPARE(windows.shown, QStringList{"TResourceInformationForm"});
        QCOMPARE(shown, QStringLiteral("Vault"));
    }
};


QTEST_MAIN(TestScheduleForm)
#include "tst_scheduleform.moc"
