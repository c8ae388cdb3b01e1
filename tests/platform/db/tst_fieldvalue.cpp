// The one conversion module: readers with defaults, and values that must come back from either
// engine exactly as the program wrote them, whether written by a table object or as a parameter.

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/TimeValue.h"
#include "SharedDatabase.h"

#include <QTest>
#include <climits>

namespace {

SharedDatabase shared;

double clock(int h, int m, int s = 0, int ms = 0) { return TimeValue::fromTime(QTime(h, m, s, ms)); }
double day(int y, int m, int d) { return TimeValue::fromDate(QDate(y, m, d)); }

// A value as a query parameter: day counts are marked with the kind of the field they go to.
QVariant asParameter(FieldKind kind, const QVariant &value)
{
    if (!value.isValid())
        return value;
    switch (kind) {
    case FieldKind::Date:
        return FieldValue::date(value.toDouble());
    case FieldKind::Time:
        return FieldValue::time(value.toDouble());
    case FieldKind::DateTime:
        return FieldValue::dateTime(value.toDouble());
    default:
        return value;
    }
}

QString newUserID()
{
    static int count = 0;
    return QStringLiteral("ROUNDTRIP%1").arg(++count);
}

} // namespace

class TestFieldValue : public QObject
{
    Q_OBJECT

private slots:
    // Every case writes a row of its own: one database serves them all.
    void initTestCase()
    {
        shared.create();
        shared.reset();
    }
    void cleanupTestCase() { shared.drop(); }

    void readersKeepTheirDefaultForNull()
    {
        const QVariant null;
        QCOMPARE(FieldValue::asInteger(null, 7), 7);
        QCOMPARE(FieldValue::asBoolean(null, true), true);
        QCOMPARE(FieldValue::asFloat(null, 2.5), 2.5);
        QCOMPARE(FieldValue::asString(null, QStringLiteral("none")), QStringLiteral("none"));
        // A null read from a column of any type is still null.
        QCOMPARE(FieldValue::asInteger(QVariant(QMetaType::fromType<int>()), 7), 7);
        QCOMPARE(FieldValue::asString(QVariant(QMetaType::fromType<QString>()), QStringLiteral("none")),
                 QStringLiteral("none"));
    }

    void readersConvert_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("asInteger");   // invalid: the reader refuses the value
        QTest::addColumn<QVariant>("asBoolean");
        QTest::addColumn<QVariant>("asFloat");
        QTest::addColumn<QString>("asString");
        QTest::newRow("int") << QVariant(12) << QVariant(12) << QVariant(true) << QVariant(12.0) << "12";
        QTest::newRow("zero") << QVariant(0) << QVariant(0) << QVariant(false) << QVariant(0.0) << "0";
        QTest::newRow("colour above 2^31") << QVariant(int(0x8000000F)) << QVariant(int(0x8000000F)) << QVariant(true)
                                           << QVariant(double(int(0x8000000F))) << "-2147483633";
        QTest::newRow("double rounds") << QVariant(12.6) << QVariant(13) << QVariant(true) << QVariant(12.6) << "12.6";
        QTest::newRow("negative double") << QVariant(-2.6) << QVariant(-3) << QVariant(true) << QVariant(-2.6) << "-2.6";
        QTest::newRow("digits") << QVariant("42") << QVariant(42) << QVariant() << QVariant(42.0) << "42";
        QTest::newRow("True") << QVariant("True") << QVariant() << QVariant(true) << QVariant() << "True";
        QTest::newRow("false") << QVariant("false") << QVariant() << QVariant(false) << QVariant() << "false";
        QTest::newRow("t") << QVariant("t") << QVariant() << QVariant(true) << QVariant() << "t";
        QTest::newRow("bool") << QVariant(true) << QVariant(1) << QVariant(true) << QVariant(1.0) << "true";
        QTest::newRow("empty text") << QVariant("") << QVariant() << QVariant(false) << QVariant() << "";
        QTest::newRow("words") << QVariant("maybe") << QVariant() << QVariant() << QVariant() << "maybe";
    }

    void readersConvert()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, asInteger);
        QFETCH(QVariant, asBoolean);
        QFETCH(QVariant, asFloat);
        QFETCH(QString, asString);
        if (asInteger.isValid())
            QCOMPARE(FieldValue::asInteger(value, -99), asInteger.toInt());
        else
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, FieldValue::asInteger(value));
        if (asBoolean.isValid())
            QCOMPARE(FieldValue::asBoolean(value, !asBoolean.toBool()), asBoolean.toBool());
        else
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, FieldValue::asBoolean(value));
        if (asFloat.isValid())
            QCOMPARE(FieldValue::asFloat(value, -99.0), asFloat.toDouble());
        else
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, FieldValue::asFloat(value));
        QCOMPARE(FieldValue::asString(value, QStringLiteral("default")), asString);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("read");
        const QString longText = QString(5000, QLatin1Char('x')) + QStringLiteral("\nend");
        const QString awkward = QStringLiteral("Zoë «quoted» \"double\" 'single' ; -- /* */ \\ %");
        QTest::newRow("time 9:30") << "Schedule" << "StartTime" << QVariant(clock(9, 30)) << QVariant(clock(9, 30));
        QTest::newRow("time 23:59") << "Schedule" << "EndTime" << QVariant(clock(23, 59)) << QVariant(clock(23, 59));
        QTest::newRow("time midnight") << "Schedule" << "StartTime" << QVariant(0.0) << QVariant(0.0);
        QTest::newRow("time with milliseconds") << "Schedule" << "StartTime" << QVariant(clock(13, 45, 30, 123))
                                                << QVariant(clock(13, 45, 30, 123));
        QTest::newRow("time keeps only the time of day") << "Settings" << "WorkHoursStart"
                                                         << QVariant(day(2004, 3, 5) + clock(7, 15))
                                                         << QVariant(clock(7, 15));
        QTest::newRow("date") << "Schedule" << "ScheduleDate" << QVariant(day(2004, 3, 5)) << QVariant(day(2004, 3, 5));
        QTest::newRow("leap day") << "Schedule" << "ScheduleDate" << QVariant(day(2024, 2, 29)) << QVariant(day(2024, 2, 29));
        QTest::newRow("date drops the time") << "Schedule" << "ScheduleDate" << QVariant(day(2026, 12, 31) + 0.75)
                                             << QVariant(day(2026, 12, 31));
        QTest::newRow("date and time") << "Schedule" << "ModifiedDate"
                                       << QVariant(day(2026, 12, 10) + clock(8, 15, 30, 250))
                                       << QVariant(day(2026, 12, 10) + clock(8, 15, 30, 250));
        QTest::newRow("date and time at midnight") << "Type" << "ModifiedDate" << QVariant(day(2000, 1, 1))
                                                   << QVariant(day(2000, 1, 1));
        QTest::newRow("logical true") << "Resource" << "Restricted" << QVariant(true) << QVariant(true);
        QTest::newRow("logical false") << "Resource" << "AllowViewing" << QVariant(false) << QVariant(false);
        QTest::newRow("logical from text") << "Security" << "Supervisor" << QVariant("True") << QVariant(true);
        QTest::newRow("float") << "Settings" << "ScheduleDots" << QVariant(1.3) << QVariant(1.3);
        QTest::newRow("float thirds") << "Settings" << "ScheduleNotes" << QVariant(10.0 / 3) << QVariant(10.0 / 3);
        QTest::newRow("system colour") << "Settings" << "NoWorkColor" << QVariant(int(0x8000000F)) << QVariant(int(0x8000000F));
        QTest::newRow("largest integer") << "Resource" << "Capacity" << QVariant(INT_MAX) << QVariant(INT_MAX);
        QTest::newRow("integer from text") << "Resource" << "Capacity" << QVariant("14") << QVariant(14);
        QTest::newRow("text with quotes") << "Resource" << "DescriptionL" << QVariant(awkward) << QVariant(awkward);
        QTest::newRow("text keeps its spaces") << "Type" << "Description" << QVariant("  two  ") << QVariant("  two  ");
        QTest::newRow("empty text is not null") << "User" << "UserPassword" << QVariant("") << QVariant("");
        QTest::newRow("long memo") << "Resource" << "Notes" << QVariant(longText) << QVariant(longText);
        QTest::newRow("null integer") << "Resource" << "TypeID" << QVariant() << QVariant();
        QTest::newRow("null time") << "Schedule" << "EndTime" << QVariant() << QVariant();
        QTest::newRow("null logical") << "Resource" << "Restricted" << QVariant() << QVariant();
    }

    // Written by a table object, read by a table object and by a query.
    void valuesRoundTrip()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);
        TDatabase database(shared.location());
        database.Open();

        TTable writer(database, table);
        writer.Open();
        writer.Insert();
        if (table == QLatin1String("User"))
            writer.SetFieldValue("UserID", newUserID());
        writer.SetFieldValue(field, written);
        writer.Post();
        const QVariant key = writer.FieldValue(writer.definition().primaryKey);

        TTable reader(database, table);
        reader.Open();
        QVERIFY(reader.FindKey({key}));
        QCOMPARE(reader.FieldValue(field), read);

        TQuery query(database);
        query.Add(QStringLiteral("Select %1 From \"%2.db\" Where %3 = :key").arg(field, table, writer.definition().primaryKey));
        query.SetParam("key", key);
        query.Open();
        QCOMPARE(query.RecordCount(), 1);
        QCOMPARE(query.FieldValue(field), read);
    }

    // A date or time from a picker may reach a query as Qt's own type: it must find the stored
    // value on both engines just as a marked day count does.
    void qtDatesAndTimesAsParametersFindStoredValues()
    {
        TDatabase database(shared.location());
        database.Open();
        TTable bookings(database, "Schedule");
        bookings.Open();
        bookings.Insert();
        bookings.SetFieldValue("Notes", "picked");
        bookings.SetFieldValue("ScheduleDate", day(2004, 3, 5));
        bookings.SetFieldValue("StartTime", clock(9, 30));
        bookings.SetFieldValue("ModifiedDate", day(2026, 12, 10) + clock(8, 15, 30, 250));
        bookings.Post();

        TQuery query(database);
        query.Add(QStringLiteral("Select * From Schedule Where Notes = 'picked' and ScheduleDate = :d"));
        query.Add(QStringLiteral("and StartTime = :t and ModifiedDate = :m"));
        query.SetParam("d", QDate(2004, 3, 5));
        query.SetParam("t", QTime(9, 30));
        query.SetParam("m", QDateTime(QDate(2026, 12, 10), QTime(8, 15, 30, 250)));
        query.Open();
        QCOMPARE(query.RecordCount(), 1);
        query.SetParam("d", FieldValue::date(day(2004, 3, 5)));
        query.SetParam("t", FieldValue::time(clock(9, 30)));
        query.SetParam("m", FieldValue::dateTime(day(2026, 12, 10) + clock(8, 15, 30, 250)));
        query.Open();
        QCOMPARE(query.RecordCount(), 1);
    }

    // Written as a query parameter, read by a table object.
    void parametersRoundTrip_data() { valuesRoundTrip_data(); }

    void parametersRoundTrip()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);
        TDatabase database(shared.location());
        database.Open();
        TTable rows(database, table);
        rows.Open();
        rows.Insert();
        if (table == QLatin1String("User"))
            rows.SetFieldValue("UserID", newUserID());
        rows.Post();
        const QString primaryKey = rows.definition().primaryKey;
        const QVariant key = rows.FieldValue(primaryKey);

        TQuery update(database);
        update.Add(QStringLiteral("Update \"%1.DB\" Set %2 = :value Where %3 = :key").arg(table, field, primaryKey));
        update.SetParam("value", asParameter(rows.definition().field(field)->kind, written));
        update.SetParam("key", key);
        update.ExecSQL();
        QCOMPARE(update.RowsAffected(), 1);

        rows.Refresh();
        QCOMPARE(rows.FieldValue(field), read);
    }
};

QTEST_GUILESS_MAIN(TestFieldValue)
#include "tst_fieldvalue.moc"
