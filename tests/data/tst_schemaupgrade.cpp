// Databases of earlier releases: the program refuses them with a pointer to the upgrade, and the
// upgrade brings them to the layout of a new database in one step that changes all or nothing.

#include "data/DatabaseSetup.h"
#include "data/ProgramDataFrm.h"
#include "data/SchemaUpgrade.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Schema.h"
#include "platform/db/Sessions.h"
#include "support/StoredLayout.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

int scalar(const DatabaseLocation &place, const QString &sql)
{
    TDatabase database(place);
    database.Open();
    QSqlQuery query = database.exec(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

int storedVersion(const DatabaseLocation &place)
{
    TDatabase database(place);
    database.Open();
    return SchemaUpgrade::StoredVersion(database);
}

QStringList layoutOf(const DatabaseLocation &place)
{
    TDatabase database(place);
    database.Open();
    return StoredLayout(database);
}

QString openWithTheProgram(const DatabaseLocation &place)
{
    TProgramDataForm data(place);
    return errorOf([&] { data.DataModuleCreate(); });
}

} // namespace

class TestSchemaUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void theProgramRefusesAnOlderDatabaseAndNamesTheUpgrade()
    {
        TestDatabase place;
        LoadLayoutVersion1(place.location());
        const QString refusal = openWithTheProgram(place.location());
        QVERIFY2(refusal.contains(QLatin1String("earlier release")), qPrintable(refusal));
        QVERIFY2(refusal.contains(QLatin1String("quorvel-db upgrade ") + place.location().describe()), qPrintable(refusal));
    }

    void theProgramRefusesADatabaseOfALaterRelease()
    {
        TestDatabase place;
        place.init();
        {
            TDatabase database(place.location());
            database.Open();
            database.exec(QStringLiteral("UPDATE \"QuorvelSchema\" SET \"Version\" = ?"), {Schema::Version + 1});
        }
        const QString refusal = openWithTheProgram(place.location());
        QVERIFY2(refusal.contains(QLatin1String("later release")), qPrintable(refusal));
        QVERIFY(errorOf([&] { SchemaUpgrade::Upgrade(place.location()); }).contains(QLatin1String("later release")));
    }

    void upgradeGivesTheLayoutOfANewDatabaseAndKeepsTheData()
    {
        TestDatabase old;
        LoadLayoutVersion1(old.location());
        const int bookings = scalar(old.location(), QStringLiteral("SELECT count(*) FROM \"Schedule\""));
        QVERIFY(bookings > 0);

        const SchemaUpgrade::Outcome outcome = SchemaUpgrade::Upgrade(old.location());
        QCOMPARE(outcome.fromVersion, 1);
        QCOMPARE(outcome.toVersion, Schema::Version);
        QCOMPARE(storedVersion(old.location()), Schema::Version);
        QCOMPARE(scalar(old.location(), QStringLiteral("SELECT count(*) FROM \"Schedule\"")), bookings);

        TestDatabase fresh;
        fresh.init();
        const QStringList newLayout = layoutOf(fresh.location());
        QCOMPARE(newLayout.filter(QRegularExpression(QStringLiteral("\\bEndTime\\b"))).size(), 1);
        QCOMPARE(layoutOf(old.location()), newLayout);
        QCOMPARE(openWithTheProgram(old.location()), QStringLiteral("<no error>"));

        // A second upgrade finds nothing to do.
        const SchemaUpgrade::Outcome again = SchemaUpgrade::Upgrade(old.location());
        QCOMPARE(again.fromVersion, Schema::Version);
        QVERIFY(again.stepsRun.isEmpty());
    }

    void aFailingStepLeavesTheDatabaseAsItWas()
    {
        TestDatabase old;
        LoadLayoutVersion1(old.location());
        const QStringList before = layoutOf(old.location());
        const QList<SchemaUpgrade::Step> steps = {
            {2, QStringLiteral("a column"), [](TDatabase &db) {
                 db.exec(QStringLiteral("ALTER TABLE \"Type\" ADD COLUMN \"Extra\" integer"));
                 db.exec(QStringLiteral("DELETE FROM \"Schedule\""));
             }},
            {3, QStringLiteral("a step that fails"), [](TDatabase &db) {
                 db.exec(QStringLiteral("ALTER TABLE \"NoSuchTable\" ADD COLUMN \"X\" integer"));
             }},
        };
        QVERIFY(errorOf([&] { SchemaUpgrade::Upgrade(old.location(), steps, 3); }) != QLatin1String("<no error>"));
        QCOMPARE(storedVersion(old.location()), 1);
        QCOMPARE(layoutOf(old.location()), before);
        QVERIFY(scalar(old.location(), QStringLiteral("SELECT count(*) FROM \"Schedule\"")) > 0);
    }

    void upgradeRefusesWhileAProgramIsConnected()
    {
        TestDatabase old;
        LoadLayoutVersion1(old.location());
        TDatabase program(old.location());
        program.Open();
        TSessions registration(program);
        registration.Register(QStringLiteral("MJONES"));

        const QString refusal = errorOf([&] { SchemaUpgrade::Upgrade(old.location()); });
        QVERIFY2(refusal.contains(QLatin1String("MJONES")) && refusal.contains(QLatin1String("Nothing was changed")),
                 qPrintable(refusal));
        QCOMPARE(storedVersion(old.location()), 1);

        registration.Unregister();
        QCOMPARE(SchemaUpgrade::Upgrade(old.location()).toVersion, Schema::Version);
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrade)
#include "tst_schemaupgrade.moc"
