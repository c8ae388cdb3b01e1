#pragma once

#include <QString>
#include <functional>

class TTable;

// Packing: each table of the data module gives back the space of its deleted rows, one after the
// other, each only while no other program is connected and the engine grants the table to this
// one alone. Afterwards every table object is open again, on its first row.

struct PackCallbacks
{
    // Tells which table is being packed, before its turn.
    std::function<void(const QString &message)> ShowMessage;
    // Asked when a table cannot be had exclusively: true tries again, false gives up with the error.
    std::function<bool()> TryAgain;
};

// Packs the seven tables in their fixed order. An error ends the pack at the table it happened on:
// the tables before it stay packed, the rest are not, and every table is open again.
void PackAllTables(const PackCallbacks &callbacks);

// Packs one table; compact is false where an earlier table's compaction covered it already.
void PackTable(TTable &table, bool compact, const std::function<bool()> &tryAgain);

// Closes the table and opens it again once this program may have it alone, asking tryAgain after
// each refusal; when tryAgain gives up, the refusal is thrown and the table is left closed.
void OpenTableExclusive(TTable &table, const std::function<bool()> &tryAgain);
