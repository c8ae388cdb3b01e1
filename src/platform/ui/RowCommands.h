#pragma once

#include "platform/ui/MessageBox.h"

#include <QString>

class QWidget;
class TTable;

// The Insert, Save and Delete buttons of the maintenance windows, on any table.

// Stores the row on screen (restamping it); nothing when there is no row.
void SaveRow(TTable &table);
// Deletes the row on screen; nothing when there is no row.
void DeleteRow(TTable &table);
// Asks the Yes/No question first (stop icon unless told otherwise) and deletes only on Yes.
void DeleteRowAfterAsking(TTable &table, const QString &question, QWidget *parent,
                          MessageIcon icon = MessageIcon::Stop);
