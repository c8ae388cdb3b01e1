#include "data/BookingExport.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"

#include <QSqlQuery>
#include <QStringList>

namespace BookingExport {

namespace {

struct Booking
{
    int sequence = 0;
    QDate date;
    QTime start;
    QTime end;
    QString reservedBy;
    QString reservedName;   // empty when the account is gone
    QString resource;
    QString location;       // the resource's long description
    QString notes;
    QDateTime modified;
};

// The key of the named row, checked so that a misspelt name is an error and not an empty file.
int keyOf(TDatabase &database, const QString &table, const QString &keyField, const QString &description)
{
    QSqlQuery query = database.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE upper(\"Description\") = upper(?)")
                                        .arg(keyField, table),
                                    {description});
    if (!query.next())
        throw EDatabaseError(QStringLiteral("There is no %1 called \"%2\"").arg(table.toLower(), description));
    return query.value(0).toInt();
}

QList<Booking> selectBookings(TDatabase &database, const Selection &selection)
{
    QStringList conditions{QStringLiteral("1 = 1")};
    QVariantList values;
    if (!selection.resource.isEmpty()) {
        conditions << QStringLiteral("s.\"ResourceID\" = ?");
        values << keyOf(database, QStringLiteral("Resource"), QStringLiteral("ResourceID"), selection.resource);
    }
    if (!selection.type.isEmpty()) {
        conditions << QStringLiteral("r.\"TypeID\" = ?");
        values << keyOf(database, QStringLiteral("Type"), QStringLiteral("TypeID"), selection.type);
    }
    const auto storedDate = [&](const QDate &date) {
        return FieldValue::toStorage(database.engine(), FieldKind::Date, TimeValue::fromDate(date));
    };
    if (selection.from.isValid()) {
        conditions << QStringLiteral("s.\"ScheduleDate\" >= ?");
        values << storedDate(selection.from);
    }
    if (selection.to.isValid()) {
        conditions << QStringLiteral("s.\"ScheduleDate\" <= ?");
        values << storedDate(selection.to);
    }
    QSqlQuery query = database.exec(
        QStringLiteral("SELECT s.\"Sequence\", s.\"ScheduleDate\", s.\"StartTime\", s.\"EndTime\", s.\"ReservedBy\", "
                       "u.\"UserName\", r.\"Description\", r.\"DescriptionL\", s.\"Notes\", s.\"ModifiedDate\" "
                       "FROM \"Schedule\" s "
                       "LEFT JOIN \"Resource\" r ON r.\"ResourceID\" = s.\"ResourceID\" "
                       "LEFT JOIN \"User\" u ON u.\"UserID\" = s.\"ReservedBy\" WHERE ")
            + conditions.join(QStringLiteral(" AND "))
            + QStringLiteral(" ORDER BY s.\"ScheduleDate\", s.\"StartTime\", s.\"Sequence\""),
        values);
    QList<Booking> bookings;
    while (query.next()) {
        const auto field = [&](int column, FieldKind kind) { return FieldValue::fromStorage(kind, query.value(column)); };
        Booking b;
        b.sequence = field(0, FieldKind::Integer).toInt();
        b.date = TimeValue::toDate(field(1, FieldKind::Date).toDouble());
        b.start = TimeValue::toTime(field(2, FieldKind::Time).toDouble());
        b.end = TimeValue::toTime(field(3, FieldKind::Time).toDouble());
        b.reservedBy = field(4, FieldKind::String).toString();
        b.reservedName = field(5, FieldKind::String).toString();
        b.resource = field(6, FieldKind::String).toString();
        b.location = field(7, FieldKind::String).toString();
        b.notes = field(8, FieldKind::Memo).toString();
        const QVariant modified = field(9, FieldKind::DateTime);
        if (!modified.isNull())
            b.modified = TimeValue::toDateTime(modified.toDouble());
        bookings << b;
    }
    return bookings;
}

// iCalendar ------------------------------------------------------------------------------------

QString escapeText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char(';'), QLatin1String("\\;"));
    text.replace(QLatin1Char(','), QLatin1String("\\,"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

// Lines longer than 75 octets are folded: CRLF and a space, never inside a UTF-8 character (nor
// between the halves of a surrogate pair, which make one character).
QString foldedLine(const QString &line)
{
    QString folded;
    int octets = 0;
    for (int i = 0; i < line.size(); ++i) {
        const int length = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const int size = line.mid(i, length).toUtf8().size();
        if (octets + size > 75) {
            folded += QLatin1String("\r\n ");
            octets = 1;
        }
        folded += line.mid(i, length);
        octets += size;
        i += length - 1;
    }
    return folded + QLatin1String("\r\n");
}

QString localStamp(const QDate &date, const QTime &time)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('T') + time.toString(QStringLiteral("HHmmss"));
}

QString utcStamp(const QDateTime &moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString event(const Booking &b, const QDateTime &now)
{
    // A booking that ends at or before its start runs past midnight.
    const QDate endDate = b.end > b.start ? b.date : b.date.addDays(1);
    const QString who = b.reservedName.isEmpty() ? b.reservedBy : b.reservedName;
    const QString where = b.location.isEmpty() ? b.resource : b.location;
    QStringList lines{
        QStringLiteral("BEGIN:VEVENT"),
        QStringLiteral("UID:booking-%1@quorvel").arg(b.sequence),
        QStringLiteral("DTSTAMP:") + utcStamp(b.modified.isValid() ? b.modified : now),
        QStringLiteral("DTSTART:") + localStamp(b.date, b.start),
        QStringLiteral("DTEND:") + localStamp(endDate, b.end),
        QStringLiteral("SUMMARY:") + escapeText(who + QStringLiteral(" - ") + b.resource),
        QStringLiteral("LOCATION:") + escapeText(where),
    };
    if (!b.notes.isEmpty())
        lines << QStringLiteral("DESCRIPTION:") + escapeText(b.notes);
    lines << QStringLiteral("END:VEVENT");
    QString text;
    for (const QString &line : lines)
        text += foldedLine(line);
    return text;
}

QString iCalendar(const QList<Booking> &bookings)
{
    const QDateTime now = QDateTime::currentDateTime();
    QString text = foldedLine(QStringLiteral("BEGIN:VCALENDAR")) + foldedLine(QStringLiteral("VERSION:2.0"))
                   + foldedLine(QStringLiteral("PRODID:-//Quorvel//Quorvel bookings//EN"))
                   + foldedLine(QStringLiteral("CALSCALE:GREGORIAN"));
    for (const Booking &b : bookings)
        text += event(b, now);
    return text + foldedLine(QStringLiteral("END:VCALENDAR"));
}

// CSV ------------------------------------------------------------------------------------------

QString csvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n'))
        && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRecord(const QStringList &fields)
{
    QStringList out;
    for (const QString &f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QString csv(const QList<Booking> &bookings)
{
    QString text = csvRecord({QStringLiteral("Sequence"), QStringLiteral("Resource"), QStringLiteral("Location"),
                              QStringLiteral("Date"), QStringLiteral("Start"), QStringLiteral("End"),
                              QStringLiteral("Reserved By"), QStringLiteral("Reserved Name"), QStringLiteral("Notes")});
    for (const Booking &b : bookings)
        text += csvRecord({QString::number(b.sequence), b.resource, b.location, b.date.toString(Qt::ISODate),
                           b.start.toString(QStringLiteral("HH:mm")), b.end.toString(QStringLiteral("HH:mm")),
                           b.reservedBy, b.reservedName, b.notes});
    return text;
}

} // namespace

QString Export(TDatabase &database, const Selection &selection, Format format)
{
    const QList<Booking> bookings = selectBookings(database, selection);
    return format == Format::ICalendar ? iCalendar(bookings) : csv(bookings);
}

} // namespace BookingExport
