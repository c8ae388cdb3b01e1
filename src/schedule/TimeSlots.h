#pragma once

#include <QString>

// The day is divided into slots of SystemSettings.TimeInterval minutes counted from midnight. Grid
// row 0 is the heading row; row r >= 1 is the slot starting (r - 1) * TimeInterval minutes after
// midnight. Times are day counts (see TimeValue); a time of day is the fraction in [0, 1). Every
// routine reads the interval afresh, so a change of settings takes effect on the next call.

// The slot length the routines work with: the setting, brought into 1 to 1440 minutes so that no
// routine divides by zero or builds a grid of no rows.
int SlotMinutes();

// The time of day of t cut to the whole minute (seconds and milliseconds dropped, never rounded).
double TruncToMinute(double t);
// When the slot of a grid row starts; rows 0 and 1 both start at midnight.
double SlotStartTime(int row);
// The first row whose slot starts at or after the time of day t.
int SlotOfTime(double t);
// Grid rows, heading row included.
int SlotRowCount();
// The row a grid of rowCount rows focuses for the time of day t: its slot row, or, late in the last
// slot of the day when the next slot start lies past the grid, the last row (the slot t is in).
int ShownRowOfTime(double t, int rowCount);
// The time of day now.
double TimeOfDayNow();
// True when a is not later than b, both taken to the minute.
bool TimeNotAfter(double a, double b);

// The end time an editor shows for a start and a duration. The time control keeps only the time of
// day, so a sum past midnight wraps; an end that comes out before the start (or on midnight) becomes
// EndOfDayTime, which is stored as 23:59.
constexpr double EndOfDayTime = 0.9999;
double EndTimeFor(double start, int durationMinutes);

// The longest booking in minutes.
constexpr int MaxDurationMinutes = 1440;
// A duration set by the program, kept within one slot and one day.
int ClampDuration(int minutes);
// The duration an editor proposes for an existing booking.
int BookingDuration(double start, double end);

// The start time the range editor proposes at the time now: the hour of now, its minutes rounded
// down to a multiple of the slot length, no seconds.
double RangeInitialStart(double now);

// A slot start as the time column shows it: the locale's long time format, without the time zone
// that format carries (a slot start is a time of day, not a moment).
QString LongTimeText(double time);
