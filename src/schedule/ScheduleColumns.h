#pragma once

#include <QList>
#include <QString>

class ScheduleGrid;

// Writes column 0: "Time" in the heading row, then each row's slot start.
void FillTimeColumn(ScheduleGrid &grid);
// Makes rows 1 and below of the column free slots of the resource on the date; the heading stays.
void ClearScheduleColumn(int column, int resourceID, ScheduleGrid &grid, double date);
// Loads the resource's bookings on the date into the column: the reserving user's name in each
// booking's first slot, the continuation marker in the rest, and with withNotes the notes in
// column + 1. The heading is the date (dateHeader) or the resource's short description.
void FillScheduleColumn(int column, int resourceID, bool withNotes, ScheduleGrid &grid, double date,
                        bool dateHeader);
// Loads the bookings of several resources on one date, resourceIDs[i] into column firstColumn + i
// headed by the resource's short description: what FillScheduleColumn gives column by column
// (without notes), read with a fixed number of queries however many columns there are.
void FillScheduleColumns(int firstColumn, const QList<int> &resourceIDs, ScheduleGrid &grid, double date);
// One resource over days dates from firstDate, a column each with the date as its heading, as
// FillScheduleColumn fills them one by one, in one query.
void FillScheduleDays(int firstColumn, int resourceID, ScheduleGrid &grid, double firstDate, int days);
// The resource's long or short description; empty when it does not exist or has none.
QString ResourceDescription(bool longDescription, int resourceID);
