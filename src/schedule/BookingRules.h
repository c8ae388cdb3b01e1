#pragma once

#include <QList>
#include <QSet>
#include <QString>

struct NamedBooking;

// True when no booking of the resource on the date, other than the one numbered excludeSequence,
// conflicts with start to end (both taken to the minute). New bookings and searches pass -1.
bool ScheduleIsFree(int excludeSequence, int resourceID, double date, double start, double end);
// The resources for which ScheduleIsFree(-1, ...) does not hold, judged from their bookings of that
// day as ReadDaySchedule gives them.
QSet<int> BusyResources(const QList<NamedBooking> &dayBookings, double start, double end);

// Posts the schedule table's pending insert or edit only if its times are free, as one step that no
// other workstation can overtake: the test and the write share a transaction that holds the
// resource's bookings of that date. Returns false, and leaves the table editing, when they are not
// free. The times are stored cut to the minute.
bool SaveBookingIfFree(int excludeSequence);
