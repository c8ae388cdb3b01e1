#pragma once

#include "platform/db/Schema.h"

#include <QString>
#include <QtGlobal>

class TDatabase;

// What packing and the database information need of the engine, for a table named by its canonical
// name (TTable::TableName()).
namespace TableMaintenance {

// Succeeds only when the engine would let this connection have the table to itself right now;
// otherwise throws EDatabaseError. Never waits for other connections.
void RequireEngineLock(TDatabase &database, const QString &tableName);

// Gives back the space of deleted rows. SQLite can only compact its whole file, which packs every
// table in it at once; PostgreSQL rewrites the one table. Must not run inside a transaction.
void Compact(TDatabase &database, const QString &tableName);
bool CompactionCoversWholeFile(EngineKind engine);

// The space the engine uses for the table's rows, in bytes, without its indexes (SQLite: the
// pages of its b-tree; PostgreSQL: the main file of the table).
qint64 TableSizeBytes(TDatabase &database, const QString &tableName);

} // namespace TableMaintenance
