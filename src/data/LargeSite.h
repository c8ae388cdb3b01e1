#pragma once

#include <QDate>
#include <QString>

class TDatabase;

// A large site for measuring speed: at scale 1, 2,000 resources in 20 types (the first type holds
// 500 of them, the second 1,000), 300 users and about 1,000,000 bookings over two years, with
// restricted resources among them. Smaller scales shrink every count in proportion (at least one
// of each, and three types). The content is the same on every run and both engines, so figures can
// be compared.
namespace LargeSite {

struct Size
{
    int resources = 0;
    int bigTypeResources = 0;   // resources in the first type
    int hugeTypeResources = 0;  // resources in the second type
    int types = 0;
    int users = 0;
    int bookings = 0;           // aimed at; the site holds this many, give or take a day's worth
};

Size SizeAt(double scale);

// The day on which every resource of the first type holds eight one-hour bookings (08:00-16:00):
// the Wednesday of the current week.
QDate BusyDay();

// Descriptions of the first and the second type.
QString BigTypeName();
QString HugeTypeName();

// Adds the site to a freshly initialised database, in one transaction. Automatic log-on is on and
// workstationUser gets an account in the master profile, as on the demo site.
void Seed(TDatabase &database, double scale, const QString &workstationUser);

} // namespace LargeSite
