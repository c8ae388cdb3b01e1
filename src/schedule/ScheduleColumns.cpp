#include "schedule/ScheduleColumns.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "schedule/QuerySteps.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"

#include <QHash>
#include <QMultiHash>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double TimeColumnDate = 1.0;   // 31 December 1899

struct Booking
{
    int sequence;
    double start;
    double end;
    QString notes;
    QString reservedBy;
    int resourceID;
};

Booking bookingAt(const TQuery &query)
{
    return {FieldValue::asInteger(query.FieldValue(QStringLiteral("Sequence")), -1),
            TruncToMinute(FieldValue::asFloat(query.FieldValue(QStringLiteral("StartTime")))),
            TruncToMinute(FieldValue::asFloat(query.FieldValue(QStringLiteral("EndTime")))),
            FieldValue::asString(query.FieldValue(QStringLiteral("Notes"))),
            FieldValue::asString(query.FieldValue(QStringLiteral("ReservedBy"))),
            FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID")), -1)};
}

bool hasBothTimes(const TQuery &query)
{
    return !FieldValue::isNull(query.FieldValue(QStringLiteral("StartTime")))
        && !FieldValue::isNull(query.FieldValue(QStringLiteral("EndTime")));
}

QString reservedName(const QString &userID)
{
    TLoginData user;
    LookupUser(userID, user);
    return user.UserName;
}

class ColumnWriter
{
public:
    ColumnWriter(ScheduleGrid &grid, int column, int resourceID, double date, bool withNotes)
        : m_grid(grid), m_column(column), m_resourceID(resourceID), m_dateText(TimeValue::toShortDateText(date)),
          m_withNotes(withNotes)
    {
    }

    // A booking covers the rows whose slot starts at or after its start and before its end; its
    // first row is written even when it ends inside that slot.
    void write(const Booking &booking, const QString &reservedName)
    {
        const int first = SlotOfTime(booking.start);
        const int pastLast = SlotOfTime(booking.end);
        const QString notes = booking.notes.isEmpty() ? ContinuationMarker : booking.notes;
        set(m_column, first, booking.sequence, reservedName);
        if (m_withNotes)
            set(m_column + 1, first, booking.sequence, notes);
        for (int row = first + 1; row < pastLast; ++row) {
            set(m_column, row, booking.sequence, ContinuationMarker);
            if (m_withNotes)
                set(m_column + 1, row, booking.sequence, ContinuationMarker);
        }
    }

    void writeHeadings(const QString &heading)
    {
        m_grid.SetCell(m_column, 0, MakeCellText(-1, m_resourceID, heading, m_dateText));
        if (m_withNotes)
            m_grid.SetCell(m_column + 1, 0, MakeCellText(-1, m_resourceID, QStringLiteral("Notes"), m_dateText));
    }

private:
    void set(int column, int row, int sequence, const QString &text)
    {
        if (row < m_grid.RowCount())
            m_grid.SetCell(column, row, MakeCellText(sequence, m_resourceID, text, m_dateText));
    }

    ScheduleGrid &m_grid;
    int m_column;
    int m_resourceID;
    QString m_dateText;
    bool m_withNotes;
};

// Runs visit on each booking that meets the condition and has both times, in the order of its
// date, its start and the order the bookings were made, with the name of the user who reserved it
// (matched as LookupUser matches) and its date: the data of many grid columns in one query.
void forEachNamedBooking(const QString &condition, const QueryParams &params,
                         const std::function<void(const Booking &, const QString &, double)> &visit)
{
    TQuery &query = ProgramDataForm->ScheduleQuery;
    OpenQuery(query,
              // User IDs are unique whatever their case, so the join finds one user at most.
              {QStringLiteral("Select B.Sequence, B.ResourceID, B.ScheduleDate, B.StartTime, B.EndTime, B.Notes,"),
               QStringLiteral("B.ReservedBy, P.UserName As ReservedByName"),
               QStringLiteral("From \"Schedule.db\" B Left Join \"User.db\" P"),
               QStringLiteral("On Upper(P.UserID) = Upper(B.ReservedBy)"),
               QStringLiteral("Where ") + condition,
               QStringLiteral("Order By B.ScheduleDate, B.StartTime, B.Sequence")},
              params);
    for (; !query.Eof(); query.Next()) {
        if (!hasBothTimes(query))
            continue;
        const QString name = FieldValue::asString(query.FieldValue(QStringLiteral("ReservedByName")));
        visit(bookingAt(query), name.isEmpty() ? DeletedUserName : name,
              FieldValue::asFloat(query.FieldValue(QStringLiteral("ScheduleDate"))));
    }
    CloseQuery(query);
}

// The short descriptions of the resources, by ResourceID.
QHash<int, QString> shortDescriptions(const QList<int> &resourceIDs)
{
    QueryParams params;
    const QString resources = InList(QStringLiteral("Resource"), resourceIDs, params);
    TQuery &query = ProgramDataForm->ResourceQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Resource.Db\""), QStringLiteral("Where ResourceID In (%1)").arg(resources)},
              params);
    QHash<int, QString> descriptions;
    for (; !query.Eof(); query.Next())
        descriptions.insert(FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID"))),
                            FieldValue::asString(query.FieldValue(QStringLiteral("Description"))));
    CloseQuery(query);
    return descriptions;
}

} // namespace

void FillTimeColumn(ScheduleGrid &grid)
{
    grid.SetCell(0, 0, MakeCellText(-1, -1, QStringLiteral("Time"), TimeColumnDate));
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.SetCell(0, row, MakeCellText(-1, -1, LongTimeText(SlotStartTime(row)), TimeColumnDate));
}

void ClearScheduleColumn(int column, int resourceID, ScheduleGrid &grid, double date)
{
    const QString free = MakeCellText(-1, resourceID, QString(), date);
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.SetCell(column, row, free);
}

void FillScheduleColumn(int column, int resourceID, bool withNotes, ScheduleGrid &grid, double date,
                        bool dateHeader)
{
    ClearScheduleColumn(column, resourceID, grid, date);
    if (withNotes)
        ClearScheduleColumn(column + 1, resourceID, grid, date);

    // Bookings with the same start come in the order they were made, so the later one shows.
    TQuery &query = ProgramDataForm->ScheduleQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Schedule.db\""),
               QStringLiteral("Where ResourceID = :ResourceID and"),
               QStringLiteral("ScheduleDate = :ScheduleDate"),
               QStringLiteral("Order By StartTime, Sequence")},
              {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("ScheduleDate"), FieldValue::date(date)}});
    ColumnWriter writer(grid, column, resourceID, date, withNotes);
    for (; !query.Eof(); query.Next()) {
        if (!hasBothTimes(query))
            continue;
        const Booking booking = bookingAt(query);
        writer.write(booking, reservedName(booking.reservedBy));
    }
    CloseQuery(query);

    writer.writeHeadings(dateHeader ? TimeValue::toShortDateText(date) : ResourceDescription(false, resourceID));
}

QString ResourceDescription(bool longDescription, int resourceID)
{
    TQuery &query = ProgramDataForm->ResourceQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Resource.Db\""), QStringLiteral("Where ResourceID = :ResourceID")},
              {{QStringLiteral("ResourceID"), resourceID}});
    QString description;
    if (!query.Eof())
        description = FieldValue::asString(
            query.FieldValue(longDescription ? QStringLiteral("DescriptionL") : QStringLiteral("Description")));
    CloseQuery(query);
    return description;
}

void FillScheduleColumns(int firstColumn, const QList<int> &resourceIDs, ScheduleGrid &grid, double date)
{
    if (resourceIDs.isEmpty())
        return;
    std::vector<ColumnWriter> writers;
    QMultiHash<int, int> writersOf;   // ResourceID -> its columns' writers
    for (int i = 0; i < resourceIDs.size(); ++i) {
        ClearScheduleColumn(firstColumn + i, resourceIDs[i], grid, date);
        writers.emplace_back(grid, firstColumn + i, resourceIDs[i], date, false);
        writersOf.insert(resourceIDs[i], i);
    }

    QueryParams params{{QStringLiteral("ScheduleDate"), FieldValue::date(date)}};
    const QString resources = InList(QStringLiteral("Resource"), resourceIDs, params);
    forEachNamedBooking(QStringLiteral("B.ScheduleDate = :ScheduleDate and B.ResourceID In (%1)").arg(resources), params,
                        [&](const Booking &booking, const QString &name, double) {
                            for (int writer : writersOf.values(booking.resourceID))
                                writers[writer].write(booking, name);
                        });

    const QHash<int, QString> descriptions = shortDescriptions(resourceIDs);
    for (int i = 0; i < resourceIDs.size(); ++i)
        writers[i].writeHeadings(descriptions.value(resourceIDs[i]));
}

void FillScheduleDays(int firstColumn, int resourceID, ScheduleGrid &grid, double firstDate, int days)
{
    if (days < 1)
        return;
    std::vector<ColumnWriter> writers;
    for (int day = 0; day < days; ++day) {
        ClearScheduleColumn(firstColumn + day, resourceID, grid, firstDate + day);
        writers.emplace_back(grid, firstColumn + day, resourceID, firstDate + day, false);
    }
    const QueryParams params{{QStringLiteral("ResourceID"), resourceID},
                             {QStringLiteral("FirstDate"), FieldValue::date(firstDate)},
                             {QStringLiteral("LastDate"), FieldValue::date(firstDate + days - 1)}};
    forEachNamedBooking(
        QStringLiteral("B.ResourceID = :ResourceID and B.ScheduleDate >= :FirstDate and B.ScheduleDate <= :LastDate"),
        params, [&](const Booking &booking, const QString &name, double date) {
            writers[size_t(std::lround(date - firstDate))].write(booking, name);
        });
    for (int day = 0; day < days; ++day)
        writers[size_t(day)].writeHeadings(TimeValue::toShortDateText(firstDate + day));
}
