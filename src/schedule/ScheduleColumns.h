#pragma once

#include "platform/db/QuerySteps.h"

#include <QList>
#include <QString>
#include <QVariant>

class ScheduleGrid;

// Resources chosen by conditions on the resource table, aliased R: the Where lines of a Select on
// it ("Where R.TypeID = :TypeID") and the values they bind.
struct ResourceChoice
{
    QStringList conditions;
    QueryParams params;
};

// Writes column 0: "Time" in the heading row, then each row's slot start.
void FillTimeColumn(ScheduleGrid &grid);
// Loads the resource's bookings on the date into the column: the reserving user's name in each
// booking's first slot, the continuation marker in the rest, and with withNotes the notes in
// column + 1. The heading is the date (dateHeader) or the resource's short description.
void FillScheduleColumn(int column, int resourceID, bool withNotes, ScheduleGrid &grid, double date,
                        bool dateHeader);

// A booking as the grids read it, with the name of the user who reserved it (DeletedUserName when
// that user is gone). A time the booking lacks is null.
struct NamedBooking
{
    int sequence;
    int resourceID;
    double date;
    QVariant start;
    QVariant end;
    QString notes;
    QString reservedByName;
};

// A column of a grid of many resources: the resource, and its short description for the heading.
struct ResourceColumn
{
    int resourceID;
    QString heading;
};

// The chosen resources that the user may see, each with the heading of its column, and their
// bookings of one date: what a grid of many resources shows, read with one query.
struct DaySchedule
{
    QList<ResourceColumn> resources;   // in the order they were created
    QList<NamedBooking> bookings;      // of each resource by start, then in the order they were made
};
DaySchedule ReadDaySchedule(const ResourceChoice &choice, double date);

// Loads the bookings of several resources on one date, columns[i] into grid column firstColumn + i:
// what FillScheduleColumn gives column by column (without notes), from the resources' bookings of
// that day as ReadDaySchedule gave them.
void FillScheduleColumns(int firstColumn, const QList<ResourceColumn> &columns, const QList<NamedBooking> &dayBookings,
                         ScheduleGrid &grid, double date);
// One resource over days dates from firstDate, a column each with the date as its heading, as
// FillScheduleColumn fills them one by one, in one query.
void FillScheduleDays(int firstColumn, int resourceID, ScheduleGrid &grid, double firstDate, int days);
// The resource's long or short description; empty when it does not exist or has none.
QString ResourceDescription(bool longDescription, int resourceID);
