#pragma once

#include "platform/db/DatabaseLocation.h"

#include <QList>
#include <QString>
#include <functional>

class TDatabase;

// Moving a database made by an earlier release to the layout this program works with. The layout's
// version is recorded in the database; the program opens only a database of its own version, and
// `quorvel-db upgrade` brings an older one up to it.
namespace SchemaUpgrade {

// One change to the stored layout: what it does, and the version it belongs to. All the steps of a
// version run in their listed order, together with those of every later version.
struct Step
{
    int toVersion;
    QString description;
    std::function<void(TDatabase &database)> run;
};

// Every change since the first version, oldest first.
const QList<Step> &Steps();

// The version recorded in the database; 0 when it records none.
int StoredVersion(TDatabase &database);

// Throws EDatabaseError, with a message for the person at the workstation, unless the database's
// layout is the one this program works with.
void RequireCurrentVersion(TDatabase &database);

struct Outcome
{
    int fromVersion = 0;
    int toVersion = 0;
    QStringList stepsRun;   // the descriptions of the steps that ran, in order
};

// Runs every step past the stored version, and records the new version, in one transaction: when
// a step fails, the database is left exactly as it was. Refuses while programs are connected.
Outcome Upgrade(const DatabaseLocation &location);
// The same with a given list of steps, for checking the upgrade itself.
Outcome Upgrade(const DatabaseLocation &location, const QList<Step> &steps, int targetVersion);

} // namespace SchemaUpgrade
