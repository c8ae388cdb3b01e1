#pragma once

// The shared routines of the scheduling core: time slots, the schedule grid and its cell strings,
// the grid columns, the booking and restriction rules, and the cell colours and drawing.

#include "schedule/BookingRules.h"
#include "schedule/ScheduleCell.h"
#include "schedule/ScheduleColumns.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"
