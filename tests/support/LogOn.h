#pragma once

#include "data/ProgramConst.h"

#include <QString>

// Logs the process on as a user who may book, with slots of 30 minutes, as the workstation programs
// and window tests of the booking paths need; a test grants further rights afterwards.
inline void LogOnAsBooker(const QString &userID)
{
    SystemSettings = TSystemInfo();
    SystemSettings.TimeInterval = 30;
    CurrentUser = TLoginData{userID, 0, userID, QString()};
    CurrentSecurity = TSecurityData();
    CurrentSecurity.CanAddSchedule = true;
}
