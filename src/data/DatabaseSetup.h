#pragma once

#include "platform/db/DatabaseLocation.h"

class TDatabase;

// Creating a Quorvel database: the seven tables, the single settings row with its defaults, the
// master security profile (number 0, every right) and the built-in account Supervisor with an
// empty password; optionally a small believable demo site on top.
namespace DatabaseSetup {

// True when the location holds a Quorvel database (its tables exist).
bool Exists(const DatabaseLocation &location);

// Creates the database. Refuses (EDatabaseError) when one exists, unless replace is set, in which
// case the existing tables are dropped first.
void Init(const DatabaseLocation &location, bool replace = false);

// Adds the demo site to a freshly initialised database: types, resources (one restricted, one
// restricted but viewable), users in several profiles and bookings over this week and the next.
// Automatic log-on is switched on, and workstationUser (the network user name of whoever runs the
// demo) gets an account in the master profile, so the demo opens straight onto the main window.
void SeedDemo(TDatabase &database, const QString &workstationUser);

// Gives workstationUser (when not empty and not taken) an account in the master profile, switches
// automatic log-on on and shows the grids in half hours, so a site opens straight onto the main
// window for whoever created it.
void AdmitWorkstation(TDatabase &database, const QString &workstationUser);

// Drops every table of the schema (used by replace).
void DropAll(TDatabase &database);

} // namespace DatabaseSetup
