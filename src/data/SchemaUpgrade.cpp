#include "data/SchemaUpgrade.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Schema.h"
#include "platform/db/Sessions.h"

namespace SchemaUpgrade {

namespace {

QString versionTable()
{
    return QStringLiteral("\"%1\"").arg(QString::fromLatin1(Schema::VersionTable));
}

// Keeps programs that start meanwhile from reading the old version while the upgrade runs:
// PostgreSQL makes them wait for the version table; on SQLite the upgrade's transaction holds the
// write lock, and a program that starts reads the old version and refuses to go on.
void holdVersionTable(TDatabase &database)
{
    if (database.engine() == EngineKind::PostgreSQL)
        database.exec(QStringLiteral("LOCK TABLE %1 IN ACCESS EXCLUSIVE MODE").arg(versionTable()));
}

void refuseWhileProgramsRun(TDatabase &database)
{
    TSessions sessions(database);
    const QStringList others = sessions.Others();
    if (!others.isEmpty())
        throw EDatabaseError(QStringLiteral("The database is in use by %1 program(s) (%2); ask everyone to "
                                            "close Quorvel, then upgrade again. Nothing was changed.")
                                 .arg(others.size())
                                 .arg(others.join(QStringLiteral(", "))));
}

void recordVersion(TDatabase &database, int version)
{
    database.exec(QStringLiteral("UPDATE %1 SET \"Version\" = ?").arg(versionTable()), {version});
}

} // namespace

const QList<Step> &Steps()
{
    static const QList<Step> steps = {};
    return steps;
}

int StoredVersion(TDatabase &database)
{
    if (!database.connection().tables().contains(QString::fromLatin1(Schema::VersionTable)))
        return 0;
    QSqlQuery query = database.exec(QStringLiteral("SELECT max(\"Version\") FROM %1").arg(versionTable()));
    return query.next() ? query.value(0).toInt() : 0;
}

void RequireCurrentVersion(TDatabase &database)
{
    // Where the tables themselves are missing, opening them says so.
    if (!database.SchemaExists())
        return;
    const int stored = StoredVersion(database);
    const QString where = database.location().describe();
    if (stored < Schema::Version)
        throw EDatabaseError(QStringLiteral("The Quorvel database %1 was made by an earlier release (layout version %2); "
                                            "this program needs version %3. Ask the administrator to run\n"
                                            "quorvel-db upgrade %1")
                                 .arg(where)
                                 .arg(stored)
                                 .arg(Schema::Version));
    if (stored > Schema::Version)
        throw EDatabaseError(QStringLiteral("The Quorvel database %1 was made by a later release (layout version %2); "
                                            "this program knows version %3 at most. Install the later release.")
                                 .arg(where)
                                 .arg(stored)
                                 .arg(Schema::Version));
}

Outcome Upgrade(const DatabaseLocation &location)
{
    return Upgrade(location, Steps(), Schema::Version);
}

Outcome Upgrade(const DatabaseLocation &location, const QList<Step> &steps, int targetVersion)
{
    TDatabase database(location, QStringLiteral("quorvel-db"));
    database.Open();
    if (!database.SchemaExists())
        throw EDatabaseError(QStringLiteral("%1 holds no Quorvel database").arg(location.describe()));
    Transaction transaction(database);
    holdVersionTable(database);
    refuseWhileProgramsRun(database);
    Outcome outcome;
    outcome.fromVersion = StoredVersion(database);
    if (outcome.fromVersion == 0)
        throw EDatabaseError(QStringLiteral("%1 records no layout version: it was not made by quorvel-db")
                                 .arg(location.describe()));
    outcome.toVersion = std::max(outcome.fromVersion, targetVersion);
    if (outcome.fromVersion > targetVersion)
        throw EDatabaseError(QStringLiteral("%1 was made by a later release (layout version %2); this quorvel-db "
                                            "knows version %3 at most")
                                 .arg(location.describe())
                                 .arg(outcome.fromVersion)
                                 .arg(targetVersion));
    for (const Step &step : steps) {
        if (step.toVersion <= outcome.fromVersion || step.toVersion > targetVersion)
            continue;
        step.run(database);
        outcome.stepsRun << step.description;
    }
    recordVersion(database, outcome.toVersion);
    transaction.commit();
    return outcome;
}

} // namespace SchemaUpgrade
