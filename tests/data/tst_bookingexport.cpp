// Bookings written out as iCalendar and CSV, read back by independent parsers (Python's icalendar
// package and csv module from the distribution) and compared field by field.

#include "data/BookingExport.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Table.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

namespace {

// Reads an iCalendar file with the icalendar package: one object per event, values as text.
const char *const ReadICalendar = R"(
import icalendar, json, sys
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
events = []
for e in calendar.walk('VEVENT'):
    events.append({k: str(e.get(k, '')) for k in ('UID', 'SUMMARY', 'LOCATION', 'DESCRIPTION')} |
                  {'DTSTART': e.decoded('DTSTART').isoformat(), 'DTEND': e.decoded('DTEND').isoformat()})
print(json.dumps(events))
)";

// Reads a CSV file with the csv module: one object per record, keyed by the header.
const char *const ReadCsv = R"(
import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    print(json.dumps(list(csv.DictReader(f))))
)";

// Longest line of the raw file, in octets, without its line end.
int longestLine(const QByteArray &text)
{
    int longest = 0;
    for (const QByteArray &line : text.split('\n'))
        longest = std::max(longest, int(line.size() - (line.endsWith('\r') ? 1 : 0)));
    return longest;
}

QJsonArray parsedBy(const char *script, const QByteArray &file)
{
    QTemporaryFile written;
    if (!written.open() || written.write(file) != file.size() || !written.flush())
        qFatal("cannot write the export for the parser");
    QProcess python;
    // The distribution's interpreter, which has the packages the install script put there.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), written.fileName()});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        qFatal("the parser failed: %s", python.readAllStandardError().constData());
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

struct Sample
{
    QString resource, longName, user, userName, notes;
    QDate date;
    QTime start, end;
};

} // namespace

class TestBookingExport : public QObject
{
    Q_OBJECT

    TestDatabase m_place;
    std::unique_ptr<TDatabase> m_database;
    QList<Sample> m_samples;
    QList<int> m_sequences;

    int addResource(const QString &name, const QString &longName, int type)
    {
        TTable resources(*m_database, QStringLiteral("Resource"));
        resources.Open();
        resources.Insert();
        resources.SetFieldValue("Description", name);
        resources.SetFieldValue("DescriptionL", longName);
        resources.SetFieldValue("TypeID", type);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    int addType(const QString &name)
    {
        TTable types(*m_database, QStringLiteral("Type"));
        types.Open();
        types.Insert();
        types.SetFieldValue("Description", name);
        types.Post();
        return types.FieldValue("TypeID").toInt();
    }

    void addBooking(int resource, const Sample &s)
    {
        TTable bookings(*m_database, QStringLiteral("Schedule"));
        bookings.Open();
        bookings.Insert();
        bookings.SetFieldValue("ResourceID", resource);
        bookings.SetFieldValue("ScheduleDate", TimeValue::fromDate(s.date));
        bookings.SetFieldValue("StartTime", TimeValue::fromTime(s.start));
        bookings.SetFieldValue("EndTime", TimeValue::fromTime(s.end));
        bookings.SetFieldValue("ReservedBy", s.user);
        bookings.SetFieldValue("Notes", s.notes);
        bookings.Post();
        m_samples << s;
        m_sequences << bookings.FieldValue("Sequence").toInt();
    }

    QString exported(const BookingExport::Selection &selection, BookingExport::Format format)
    {
        return BookingExport::Export(*m_database, selection, format);
    }

private slots:
    // Notes with every character the formats must escape or quote, a long line to fold (with
    // characters of several octets at the folding point), a missing account and a resource
    // without a long name.
    void initTestCase()
    {
        m_place.init();
        m_database = std::make_unique<TDatabase>(m_place.location());
        m_database->Open();
        m_database->exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"UserName\", \"SecurityID\") VALUES (?, ?, 0)"),
                         {QStringLiteral("MJONES"), QStringLiteral("Mary \"Mo\" Jones, Ltd.")});
        const int rooms = addType(QStringLiteral("Rooms"));
        const int vans = addType(QStringLiteral("Vans"));
        const int room = addResource(QStringLiteral("Room 101"), QStringLiteral("Room 101; 1st floor, east"), rooms);
        const int van = addResource(QStringLiteral("Van"), QString(), vans);
        const QDate day(2026, 12, 9);
        addBooking(room, {QStringLiteral("Room 101"), QStringLiteral("Room 101; 1st floor, east"), QStringLiteral("MJONES"),
                          QStringLiteral("Mary \"Mo\" Jones, Ltd."),
                          QStringLiteral("Agenda: a, b; c\nsecond line\r\nthird \\ line \"quoted\""), day, QTime(9, 0),
                          QTime(10, 30)});
        addBooking(room, {QStringLiteral("Room 101"), QStringLiteral("Room 101; 1st floor, east"), QStringLiteral("GONE"),
                          QString(), QString(60, QChar(0x00E9)) + QStringLiteral("🙂 ok"), day.addDays(1), QTime(14, 0),
                          QTime(15, 0)});
        addBooking(van, {QStringLiteral("Van"), QString(), QStringLiteral("MJONES"), QStringLiteral("Mary \"Mo\" Jones, Ltd."),
                         QString(), day.addDays(2), QTime(23, 0), QTime(23, 59)});
    }

    void iCalendarRoundTripsEveryBooking()
    {
        const QByteArray file = exported({}, BookingExport::Format::ICalendar).toUtf8();
        QVERIFY(longestLine(file) <= 75);
        QVERIFY(!file.contains("\n\n") && file.count('\n') == file.count("\r\n"));
        const QJsonArray events = parsedBy(ReadICalendar, file);
        QCOMPARE(events.size(), m_samples.size());
        for (int i = 0; i < events.size(); ++i) {
            const QJsonObject e = events.at(i).toObject();
            const Sample &s = m_samples.at(i);
            QCOMPARE(e.value("UID").toString(), QStringLiteral("booking-%1@quorvel").arg(m_sequences.at(i)));
            QCOMPARE(e.value("DTSTART").toString(), QDateTime(s.date, s.start).toString(Qt::ISODate));
            QCOMPARE(e.value("DTEND").toString(), QDateTime(s.date, s.end).toString(Qt::ISODate));
            QCOMPARE(e.value("SUMMARY").toString(), (s.userName.isEmpty() ? s.user : s.userName) + " - " + s.resource);
            QCOMPARE(e.value("LOCATION").toString(), s.longName.isEmpty() ? s.resource : s.longName);
            QString notes = s.notes;
            QCOMPARE(e.value("DESCRIPTION").toString(), notes.replace(QLatin1String("\r\n"), QLatin1String("\n")));
        }
    }

    void csvRoundTripsEveryField()
    {
        const QJsonArray records = parsedBy(ReadCsv, exported({}, BookingExport::Format::Csv).toUtf8());
        QCOMPARE(records.size(), m_samples.size());
        for (int i = 0; i < records.size(); ++i) {
            const QJsonObject r = records.at(i).toObject();
            const Sample &s = m_samples.at(i);
            QCOMPARE(r.value("Sequence").toString(), QString::number(m_sequences.at(i)));
            QCOMPARE(r.value("Resource").toString(), s.resource);
            QCOMPARE(r.value("Location").toString(), s.longName);
            QCOMPARE(r.value("Date").toString(), s.date.toString(Qt::ISODate));
            QCOMPARE(r.value("Start").toString(), s.start.toString("HH:mm"));
            QCOMPARE(r.value("End").toString(), s.end.toString("HH:mm"));
            QCOMPARE(r.value("Reserved By").toString(), s.user);
            QCOMPARE(r.value("Reserved Name").toString(), s.userName);
            QCOMPARE(r.value("Notes").toString(), s.notes);
        }
    }

    void selectionNarrowsTheBookings_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("sequences");   // as indexes into the samples
        QTest::newRow("everything") << "" << "" << QDate() << QDate() << QStringList{"0", "1", "2"};
        QTest::newRow("one resource, any case") << "room 101" << "" << QDate() << QDate() << QStringList{"0", "1"};
        QTest::newRow("one type") << "" << "VANS" << QDate() << QDate() << QStringList{"2"};
        QTest::newRow("dates inclusive") << "" << "" << QDate(2026, 12, 10) << QDate(2026, 12, 11) << QStringList{"1", "2"};
        QTest::newRow("nothing in range") << "" << "" << QDate(2027, 1, 1) << QDate() << QStringList{};
    }

    void selectionNarrowsTheBookings()
    {
        QFETCH(QString, resource);
        QFETCH(QString, type);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, sequences);
        const QJsonArray records = parsedBy(ReadCsv, exported({resource, type, from, to}, BookingExport::Format::Csv).toUtf8());
        QStringList got, expected;
        for (const QJsonValue &r : records)
            got << r.toObject().value("Sequence").toString();
        for (const QString &index : sequences)
            expected << QString::number(m_sequences.at(index.toInt()));
        QCOMPARE(got, expected);
    }

    void unknownNamesAreRefused()
    {
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, exported({QStringLiteral("Room 999"), {}, {}, {}}, BookingExport::Format::Csv));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, exported({{}, QStringLiteral("Boats"), {}, {}}, BookingExport::Format::Csv));
    }

    void cleanupTestCase() { m_database.reset(); }
};

QTEST_GUILESS_MAIN(TestBookingExport)
#include "tst_bookingexport.moc"
