#pragma once

// The four reports: a resource's bookings of a day or of a range of days, as lists or as slot grids.

#include "reports/DetailListDaysReport.h"
#include "reports/DetailListDaysReportGrid.h"
#include "reports/DetailSingleReport.h"
#include "reports/DetailSingleReportGrid.h"
