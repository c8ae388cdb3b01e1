#pragma once

#include "platform/db/DatabaseLocation.h"

#include <QStringList>

class TDatabase;

// Databases as earlier releases left them, and the stored layout of a database in words, so that a
// test can compare an upgraded database with a freshly made one.

// Puts the demo site written by the release of layout version 1 (tests/fixtures/schema-v1) into an
// empty place: the SQLite file is copied, the PostgreSQL dump is restored with psql.
void LoadLayoutVersion1(const DatabaseLocation &emptyPlace);

// One line per column, index, constraint, trigger, function and row rule of the database, sorted:
// equal for two databases exactly when their stored layouts are the same.
QStringList StoredLayout(TDatabase &database);
