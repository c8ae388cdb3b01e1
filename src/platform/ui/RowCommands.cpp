#include "platform/ui/RowCommands.h"

#include "platform/db/Table.h"
#include "platform/ui/MessageBox.h"

// On an empty table an edit would start a new row, and the save would store it blank.
void SaveRow(TTable &table)
{
    if (table.IsEmpty())
        return;
    table.Edit();
    table.Post();
}

void DeleteRow(TTable &table)
{
    if (!table.IsEmpty())
        table.Delete();
}

void DeleteRowAfterAsking(TTable &table, const QString &question, QWidget *parent, MessageIcon icon)
{
    if (table.IsEmpty())
        return;
    if (ShowMessageBox(question, icon, MessageButtons::YesNo, parent) == MessageResult::Yes)
        table.Delete();
}
