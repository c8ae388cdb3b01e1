#include "data/Packing.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/TableMaintenance.h"

namespace {

TDatabase &database()
{
    return ProgramDataForm->ScheduleDatabase;
}

void requireExclusiveUse(const TTable &table)
{
    const QStringList others = ProgramDataForm->Sessions.Others();
    if (!others.isEmpty())
        throw EDatabaseError(QStringLiteral("The table %1 is in use: other programs are connected to the database (%2)")
                                 .arg(table.TableName(), others.join(QStringLiteral(", "))));
    try {
        TableMaintenance::RequireEngineLock(database(), table.TableName());
    } catch (const EDatabaseError &error) {
        throw EDatabaseError(QStringLiteral("The table %1 is in use: %2").arg(table.TableName(), error.message()));
    }
}

void reopenShared(TTable &table)
{
    table.Close();
    table.Open();
}

} // namespace

void OpenTableExclusive(TTable &table, const std::function<bool()> &tryAgain)
{
    table.Close();
    for (;;) {
        try {
            requireExclusiveUse(table);
            table.Open();
            return;
        } catch (const EDatabaseError &) {
            if (!tryAgain())
                throw;
        }
    }
}

void PackTable(TTable &table, bool compact, const std::function<bool()> &tryAgain)
{
    try {
        OpenTableExclusive(table, tryAgain);
        if (compact) {
            table.Close();
            TableMaintenance::Compact(database(), table.TableName());
        }
    } catch (...) {
        // The rest of the program must find the table open, whatever stopped the pack.
        reopenShared(table);
        throw;
    }
    reopenShared(table);
}

void PackAllTables(const PackCallbacks &callbacks)
{
    TProgramDataForm &data = *ProgramDataForm;
    const struct
    {
        TTable &table;
        const char *message;
    } order[] = {
        {data.SecurityTable, "Packing Security Table"}, {data.UserSettingsTable, "Packing User Table"},
        {data.SettingsTable, "Packing Settings Table"}, {data.TypeTable, "Packing Type Table"},
        {data.ResourceTable, "Packing Resource Table"}, {data.ScheduleTable, "Packing Schedule Table"},
        {data.RestrictTable, "Packing Restricted Table"},
    };
    const bool wholeFile = TableMaintenance::CompactionCoversWholeFile(database().engine());
    bool compacted = false;
    for (const auto &step : order) {
        callbacks.ShowMessage(QString::fromLatin1(step.message));
        PackTable(step.table, !(wholeFile && compacted), callbacks.TryAgain);
        compacted = true;
    }
}
