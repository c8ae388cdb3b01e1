#include "schedule/ScheduleColumns.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/TimeValue.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"

#include <QMultiHash>
#include <QSqlQuery>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double TimeColumnDate = 1.0;   // 31 December 1899

class ColumnWriter
{
public:
    ColumnWriter(ScheduleGrid &grid, int column, int resourceID, const QString &dateText, bool withNotes)
        : m_grid(grid), m_column(column), m_resourceID(resourceID), m_dateText(dateText), m_withNotes(withNotes)
    {
    }

    // Makes rows 1 and below free slots (of the notes column too); the headings stay.
    void clear()
    {
        const QString free = MakeCellText(-1, m_resourceID, QString(), m_dateText);
        m_grid.FillColumn(m_column, 1, free);
        if (m_withNotes)
            m_grid.FillColumn(m_column + 1, 1, free);
    }

    // A booking covers the rows whose slot starts at or after its start and before its end; its
    // first row is written even when it ends inside that slot. One without both times is not shown.
    void write(const NamedBooking &booking)
    {
        if (FieldValue::isNull(booking.start) || FieldValue::isNull(booking.end))
            return;
        const int first = SlotOfTime(TruncToMinute(FieldValue::asFloat(booking.start)));
        const int pastLast = SlotOfTime(TruncToMinute(FieldValue::asFloat(booking.end)));
        // The cells of a booking differ only in their text, and its continuation cells not at all,
        // so they share one string.
        const QString head = MakeCellText(booking.sequence, m_resourceID, QString(), m_dateText);
        const QString continuation = head + ContinuationMarker;
        set(m_column, first, head + booking.reservedByName);
        if (m_withNotes)
            set(m_column + 1, first, booking.notes.isEmpty() ? continuation : head + booking.notes);
        for (int row = first + 1; row < pastLast; ++row) {
            set(m_column, row, continuation);
            if (m_withNotes)
                set(m_column + 1, row, continuation);
        }
    }

    void writeHeadings(const QString &heading)
    {
        m_grid.SetCell(m_column, 0, MakeCellText(-1, m_resourceID, heading, m_dateText));
        if (m_withNotes)
            m_grid.SetCell(m_column + 1, 0, MakeCellText(-1, m_resourceID, QStringLiteral("Notes"), m_dateText));
    }

private:
    void set(int column, int row, const QString &cell)
    {
        if (row < m_grid.RowCount())
            m_grid.SetCell(column, row, cell);
    }

    ScheduleGrid &m_grid;
    int m_column;
    int m_resourceID;
    QString m_dateText;
    bool m_withNotes;
};

// The columns of a booking and the name of its user, as namedBookingAt reads them from a row that
// selects BookingColumns, joined with UserJoin, from column `first` on.
const QString BookingColumns =
    QStringLiteral("B.Sequence, B.ResourceID, B.ScheduleDate, B.StartTime, B.EndTime, B.Notes, P.UserName");
// User IDs are unique whatever their case, so the join finds one user at most.
const QString UserJoin = QStringLiteral("Left Join \"User.db\" P On Upper(P.UserID) = Upper(B.ReservedBy)");
enum class Selected { Sequence, ResourceID, ScheduleDate, StartTime, EndTime, Notes, UserName };

NamedBooking namedBookingAt(const QSqlQuery &row, int first)
{
    auto stored = [&](Selected column, FieldKind kind) {
        return FieldValue::fromStorage(kind, row.value(first + int(column)));
    };
    const QString name = FieldValue::asString(stored(Selected::UserName, FieldKind::String));
    return {FieldValue::asInteger(stored(Selected::Sequence, FieldKind::AutoInc), -1),
            FieldValue::asInteger(stored(Selected::ResourceID, FieldKind::Integer), -1),
            FieldValue::asFloat(stored(Selected::ScheduleDate, FieldKind::Date)),
            stored(Selected::StartTime, FieldKind::Time),
            stored(Selected::EndTime, FieldKind::Time),
            FieldValue::asString(stored(Selected::Notes, FieldKind::Memo)),
            name.isEmpty() ? DeletedUserName : name};
}

// The bookings that meet the condition, in the order of their date, their start and the order they
// were made, with the name of the user who reserved each (matched as LookupUser matches), read in
// one query however many grid columns they fill.
QList<NamedBooking> readNamedBookings(const QString &condition, const QueryParams &params)
{
    QList<NamedBooking> bookings;
    WalkQuery(ProgramDataForm->ScheduleQuery,
              {QStringLiteral("Select ") + BookingColumns, QStringLiteral("From \"Schedule.db\" B"), UserJoin,
               QStringLiteral("Where ") + condition, QStringLiteral("Order By B.ScheduleDate, B.StartTime, B.Sequence")},
              params, [&](const QSqlQuery &row) { bookings.append(namedBookingAt(row, 0)); });
    return bookings;
}

} // namespace

void FillTimeColumn(ScheduleGrid &grid)
{
    grid.SetCell(0, 0, MakeCellText(-1, -1, QStringLiteral("Time"), TimeColumnDate));
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.SetCell(0, row, MakeCellText(-1, -1, LongTimeText(SlotStartTime(row)), TimeColumnDate));
}

void FillScheduleColumn(int column, int resourceID, bool withNotes, ScheduleGrid &grid, double date,
                        bool dateHeader)
{
    ColumnWriter writer(grid, column, resourceID, TimeValue::toShortDateText(date), withNotes);
    writer.clear();
    // Bookings with the same start come in the order they were made, so the later one shows.
    const QList<NamedBooking> bookings =
        readNamedBookings(QStringLiteral("B.ResourceID = :ResourceID and B.ScheduleDate = :ScheduleDate"),
                          {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("ScheduleDate"), FieldValue::date(date)}});
    for (const NamedBooking &booking : bookings)
        writer.write(booking);

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

DaySchedule ReadDaySchedule(const ResourceChoice &choice, double date)
{
    // Every chosen resource comes at least once, with null booking columns when it has no booking.
    const QStringList lines =
        QStringList{QStringLiteral("Select R.ResourceID, R.Restricted, R.AllowViewing, R.Description, ") + BookingColumns,
                    QStringLiteral("From \"Resource.Db\" R Left Join \"Schedule.db\" B"),
                    QStringLiteral("On B.ResourceID = R.ResourceID And B.ScheduleDate = :ScheduleDate"), UserJoin}
        + choice.conditions + QStringList{QStringLiteral("Order By R.ResourceID, B.StartTime, B.Sequence")};
    QueryParams params = choice.params;
    params.append({QStringLiteral("ScheduleDate"), FieldValue::date(date)});
    DaySchedule day;
    std::optional<int> resourceOfRow;
    bool visible = false;
    WalkQuery(ProgramDataForm->ScheduleQuery, lines, params, [&](const QSqlQuery &row) {
        const int resourceID = FieldValue::asInteger(row.value(0));
        if (resourceID != resourceOfRow) {
            resourceOfRow = resourceID;
            visible = IsResourceVisible(FieldValue::asBoolean(FieldValue::fromStorage(FieldKind::Logical, row.value(1))),
                                        FieldValue::asBoolean(FieldValue::fromStorage(FieldKind::Logical, row.value(2))),
                                        resourceID);
            if (visible)
                day.resources.append({resourceID, FieldValue::asString(FieldValue::fromStorage(FieldKind::String, row.value(3)))});
        }
        if (visible && !FieldValue::isNull(row.value(4)))
            day.bookings.append(namedBookingAt(row, 4));
    });
    return day;
}

void FillScheduleColumns(int firstColumn, const QList<ResourceColumn> &columns, const QList<NamedBooking> &dayBookings,
                         ScheduleGrid &grid, double date)
{
    const QString dateText = TimeValue::toShortDateText(date);
    std::vector<ColumnWriter> writers;
    writers.reserve(size_t(columns.size()));
    QMultiHash<int, int> writersOf;   // ResourceID -> its columns' writers
    for (int i = 0; i < columns.size(); ++i) {
        writers.emplace_back(grid, firstColumn + i, columns[i].resourceID, dateText, false).clear();
        writersOf.insert(columns[i].resourceID, i);
    }

    for (const NamedBooking &booking : dayBookings)
        for (int writer : writersOf.values(booking.resourceID))
            writers[writer].write(booking);

    for (int i = 0; i < columns.size(); ++i)
        writers[size_t(i)].writeHeadings(columns[i].heading);
}

void FillScheduleDays(int firstColumn, int resourceID, ScheduleGrid &grid, double firstDate, int days)
{
    if (days < 1)
        return;
    std::vector<ColumnWriter> writers;
    writers.reserve(size_t(days));
    for (int day = 0; day < days; ++day) {
        writers.emplace_back(grid, firstColumn + day, resourceID, TimeValue::toShortDateText(firstDate + day), false).clear();
    }
    const QueryParams params{{QStringLiteral("ResourceID"), resourceID},
                             {QStringLiteral("FirstDate"), FieldValue::date(firstDate)},
                             {QStringLiteral("LastDate"), FieldValue::date(firstDate + days - 1)}};
    const QList<NamedBooking> bookings = readNamedBookings(
        QStringLiteral("B.ResourceID = :ResourceID and B.ScheduleDate >= :FirstDate and B.ScheduleDate <= :LastDate"),
        params);
    for (const NamedBooking &booking : bookings)
        writers[size_t(std::lround(booking.date - firstDate))].write(booking);
    for (int day = 0; day < days; ++day)
        writers[size_t(day)].writeHeadings(TimeValue::toShortDateText(firstDate + day));
}
