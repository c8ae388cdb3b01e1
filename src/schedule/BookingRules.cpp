#include "schedule/BookingRules.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "schedule/ScheduleColumns.h"
#include "schedule/TimeSlots.h"

#include <QSet>
#include <cmath>

namespace {

// Times of day in whole minutes, so that the boundaries compare exactly.
int minuteOfDay(double time)
{
    return int(std::lround(TruncToMinute(time) * 1440.0));
}

int minuteOfField(const TQuery &query, const char *field)
{
    return minuteOfDay(FieldValue::asFloat(query.FieldValue(QString::fromLatin1(field))));
}


// Whether a booking from start to end conflicts with an existing one from s to e. At the start of
// the existing booking one minute of overlap is tolerated; at its end none is.
bool conflicts(int start, int end, int s, int e)
{
    return start == s
        || (start < s && end - 1 > s)
        || (start > s && end < e)
        || (start > s && start < e)
        || (start < s && end > e);
}

// Whether the booking on which the query stands conflicts with start to end; a null time counts as
// midnight.
bool rowConflicts(const TQuery &query, int start, int end)
{
    return conflicts(start, end, minuteOfField(query, "StartTime"), minuteOfField(query, "EndTime"));
}

void truncateToMinute(TTable &table, const QString &field)
{
    if (!table.FieldIsNull(field))
        table.SetFieldValue(field, TruncToMinute(FieldValue::asFloat(table.FieldValue(field))));
}

} // namespace

bool ScheduleIsFree(int excludeSequence, int resourceID, double date, double start, double end)
{
    const int startMinute = minuteOfDay(start);
    const int endMinute = minuteOfDay(end);
    TQuery &query = ProgramDataForm->ScheduleQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Schedule.db\""),
               QStringLiteral("Where ResourceID = :ResourceID and"),
               QStringLiteral("ScheduleDate = :ScheduleDate")},
              {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("ScheduleDate"), FieldValue::date(date)}});
    bool free = true;
    for (; !query.Eof(); query.Next()) {
        if (FieldValue::asInteger(query.FieldValue(QStringLiteral("Sequence")), -1) == excludeSequence)
            continue;
        if (rowConflicts(query, startMinute, endMinute))
            free = false;
    }
    CloseQuery(query);
    return free;
}

QSet<int> BusyResources(const QList<NamedBooking> &dayBookings, double start, double end)
{
    const int startMinute = minuteOfDay(start);
    const int endMinute = minuteOfDay(end);
    QSet<int> busy;
    for (const NamedBooking &booking : dayBookings)
        if (conflicts(startMinute, endMinute, minuteOfDay(FieldValue::asFloat(booking.start)),
                      minuteOfDay(FieldValue::asFloat(booking.end))))
            busy.insert(booking.resourceID);
    return busy;
}

bool SaveBookingIfFree(int excludeSequence)
{
    TTable &table = ProgramDataForm->ScheduleTable;
    if (table.state() != TTable::State::Insert && table.state() != TTable::State::Edit)
        throw EDatabaseError(QStringLiteral("There is no booking being edited to save"));
    truncateToMinute(table, QStringLiteral("StartTime"));
    truncateToMinute(table, QStringLiteral("EndTime"));
    const int resourceID = FieldValue::asInteger(table.FieldValue(QStringLiteral("ResourceID")), -1);
    const double date = FieldValue::asFloat(table.FieldValue(QStringLiteral("ScheduleDate")));

    TDatabase &database = ProgramDataForm->ScheduleDatabase;
    Transaction transaction(database);
    database.lockBookingSlot(resourceID, date);
    if (!ScheduleIsFree(excludeSequence, resourceID, date,
                        FieldValue::asFloat(table.FieldValue(QStringLiteral("StartTime"))),
                        FieldValue::asFloat(table.FieldValue(QStringLiteral("EndTime")))))
        return false;
    table.Post();
    transaction.commit();
    return true;
}
