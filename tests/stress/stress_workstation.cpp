// One workstation under load: books, changes and deletes at random through the booking editor and
// the range-of-dates window, the way a user at the desk would, on every resource of the database on
// a few dates. Each attempt ends as stored or as refused with the message the user sees; anything
// else counts as failed and is written to standard error. At the end one line reports the counts:
//
//   done attempts=<n> inserted=<n> changed=<n> deleted=<n> refused=<n> failed=<n>
//
// stress_workstation <database location> <user ID> <seed> <attempts> <first date> <dates>

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ScheduleGrid.h"
#include "support/LogOn.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QListWidget>
#include <QRandomGenerator>
#include <iostream>

namespace {

const QString BookingRefused = QStringLiteral("Error: This Resource Is Already Schedule For This Time And Date");
const QString RangeRefused = QStringLiteral("The Resource Is Already Scheduled For Some Of The Dates Your Requested");

struct Counts
{
    int inserted = 0;
    int changed = 0;
    int deleted = 0;
    int refused = 0;
    int failed = 0;
    int attempts() const { return inserted + changed + deleted + refused + failed; }
};

struct OwnBooking
{
    int sequence;
    int resourceID;
    double date;
};

class Workstation
{
public:
    Workstation(TProgramDataForm &data, quint32 seed, double firstDate, int dates)
        : m_data(data), m_random(seed), m_firstDate(firstDate), m_dates(dates)
    {
        TQuery &query = data.ResourceQuery;
        query.Close();
        query.Clear();
        query.Add(QStringLiteral("Select ResourceID From \"resource.DB\""));
        query.Open();
        for (query.First(); !query.Eof(); query.Next())
            m_resources << FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID")));
        query.Close();
    }

    // One user action; a range booking counts one attempt per date.
    void act()
    {
        const int choice = m_random.bounded(10);
        if (choice < 5)
            bookOne();
        else if (choice < 7)
            bookRange();
        else if (choice < 9)
            changeOne();
        else
            deleteOne();
    }

    Counts counts;

private:
    int anyResource() { return m_resources.at(m_random.bounded(int(m_resources.size()))); }
    double anyDate() { return m_firstDate + m_random.bounded(m_dates); }
    // 09:00 to 11:30 on the half hour, for 30 to 90 minutes: bookings overlap often.
    double anyStart() { return (540 + 30 * m_random.bounded(6)) / 1440.0; }
    int anyDuration() { return 30 * (1 + m_random.bounded(3)); }

    void bookOne()
    {
        TScheduleForm editor;
        editor.OpenForCell(MakeCellText(-1, anyResource(), QString(), anyDate()), anyStart());
        editor.Duration->SetValue(anyDuration());
        save(editor, counts.inserted);
    }

    void changeOne()
    {
        const std::optional<OwnBooking> booking = anyOwnBooking();
        if (!booking)
            return bookOne();
        TScheduleForm editor;
        editor.OpenForCell(MakeCellText(booking->sequence, booking->resourceID, QStringLiteral("x"), booking->date),
                           0.0);
        editor.SchStartTime->SetDateTime(anyStart());
        editor.Duration->SetValue(anyDuration());
        save(editor, counts.changed);
    }

    void save(TScheduleForm &editor, int &storedCount)
    {
        MessageBoxRecorder messages;
        editor.SaveBtnClick();
        if (editor.result() == QDialog::Accepted && messages.shown.isEmpty())
            ++storedCount;
        else if (messages.texts() == QStringList{BookingRefused})
            ++counts.refused;
        else
            fail(QStringLiteral("Save ended with %1").arg(messages.texts().join(QLatin1String(" / "))));
        editor.done(editor.result());
    }

    void deleteOne()
    {
        const std::optional<OwnBooking> booking = anyOwnBooking();
        if (!booking)
            return bookRange();
        TScheduleForm editor;
        editor.OpenForCell(MakeCellText(booking->sequence, booking->resourceID, QStringLiteral("x"), booking->date),
                           0.0);
        MessageBoxRecorder messages;
        messages.answerNext(MessageResult::Yes);
        editor.DeleteBtnClick();
        if (editor.result() == QDialog::Accepted)
            ++counts.deleted;
        else
            fail(QStringLiteral("Delete ended with %1").arg(messages.texts().join(QLatin1String(" / "))));
    }

    void bookRange()
    {
        TScheduleRangeForm range;
        range.ResourceLookup->SetKeyValue(anyResource());
        range.SchStartTime->SetDateTime(anyStart());
        range.Duration->SetValue(anyDuration());
        for (int day = 0; day < m_dates; ++day) {
            range.EventDatePicker->SetDateTime(m_firstDate + day);
            range.AddBtnClick();
        }
        const int listed = range.ListBox1->count();
        MessageBoxRecorder messages;
        range.ScheduleBtnClick();
        const int left = range.ListBox1->count();
        counts.inserted += listed - left;
        if (left == 0)
            return;
        if (messages.texts() == QStringList{RangeRefused})
            counts.refused += left;
        else
            fail(QStringLiteral("Range booking ended with %1").arg(messages.texts().join(QLatin1String(" / "))),
                 left);
    }

    std::optional<OwnBooking> anyOwnBooking()
    {
        TQuery &query = m_data.ScheduleQuery;
        query.Close();
        query.Clear();
        query.Add(QStringLiteral("Select * From \"Schedule.db\" Where ReservedBy = :ReservedBy"));
        query.SetParam(QStringLiteral("ReservedBy"), CurrentUser.UserID);
        query.Open();
        QList<OwnBooking> own;
        for (query.First(); !query.Eof(); query.Next())
            own << OwnBooking{FieldValue::asInteger(query.FieldValue(QStringLiteral("Sequence"))),
                              FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID"))),
                              FieldValue::asFloat(query.FieldValue(QStringLiteral("ScheduleDate")))};
        query.Close();
        if (own.isEmpty())
            return std::nullopt;
        return own.at(m_random.bounded(int(own.size())));
    }

    void fail(const QString &why, int attempts = 1)
    {
        counts.failed += attempts;
        std::cerr << CurrentUser.UserID.toStdString() << ": " << why.toStdString() << std::endl;
    }

    TProgramDataForm &m_data;
    QRandomGenerator m_random;
    double m_firstDate;
    int m_dates;
    QList<int> m_resources;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::cerr << "usage: stress_workstation <location> <user ID> <seed> <attempts> <first date> <dates>\n";
        return 2;
    }
    try {
        TProgramDataForm data(DatabaseLocation::parse(args.at(1)));
        ProgramDataForm = &data;
        data.DataModuleCreate();
        LogOnAsBooker(args.at(2));

        Workstation workstation(data, args.at(3).toUInt(), args.at(5).toDouble(), args.at(6).toInt());
        const int attempts = args.at(4).toInt();
        while (workstation.counts.attempts() < attempts) {
            try {
                workstation.act();
            } catch (const EDatabaseError &error) {
                std::cerr << args.at(2).toStdString() << ": " << error.message().toStdString() << std::endl;
                ++workstation.counts.failed;
            }
        }
        const Counts &counts = workstation.counts;
        std::cout << "done attempts=" << counts.attempts() << " inserted=" << counts.inserted
                  << " changed=" << counts.changed << " deleted=" << counts.deleted << " refused=" << counts.refused
                  << " failed=" << counts.failed << std::endl;
        return 0;
    } catch (const EDatabaseError &error) {
        std::cerr << error.message().toStdString() << std::endl;
        return 1;
    }
}
