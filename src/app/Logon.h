#pragma once

#include <QString>

// Account checks of the log-on. User IDs match without regard to letter case, passwords exactly;
// an empty password matches an account whose password is empty or was never set.

// Whether an account matches the user name and, when testPassword is set, the password. On a match
// fills CurrentUser, CurrentSecurity and the data module's AllowedResources.
bool CheckAccount(const QString &userName, const QString &password, bool testPassword);

// Whether the only account is the default supervisor: user ID SUPERVISOR with an empty password.
bool OnlyDefaultSupervisor();

// The user ID of the account every new database starts with.
constexpr const char *DefaultSupervisor = "Supervisor";
