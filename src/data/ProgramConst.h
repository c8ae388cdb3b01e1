#pragma once

#include <QString>

// Shared records and routines of the data store: the system settings, the logged-on user's rights
// and the user lookup. Colours are platform colour values (0x00BBGGRR, or 0x80000000 plus a system
// colour index); times of day are fractions of a day.

struct TSystemInfo
{
    bool DisableLogin = false;
    bool AutoLogon = false;
    int TimeInterval = 60;
    double WorkHoursStart = 8.0 / 24.0;
    double WorkHoursEnd = 17.0 / 24.0;
    int InUseColor = 0x0000FFFF;
    int FreeColor = 0x00FFFFFF;
    int NoWorkColor = int(0x8000000F);
    int DefaultDays = 7;
    double PrintStartTime = 8.0 / 24.0;
    double PrintEndTime = 17.0 / 24.0;
    int PrintInUseColor = 0x0000FFFF;
    int PrintFreeColor = 0x00FFFFFF;
    int PrintNoWorkColor = int(0x8000000F);
    int DefaultFontSize = 10;
    bool Landscape = false;
    QString DefaultFooter;
    double ScheduleDots = 1.3;
    double ScheduleEndTime = 1.5;
    double ScheduleReservedBy = 2.5;
    double ScheduleNotes = 3.7;
};

struct TSecurityData
{
    int SecurityID = -1;
    QString Description = QStringLiteral("Undefined");
    bool Supervisor = false;
    bool CanChangeSystem = false;
    bool CanAddUser = false;
    bool CanPackDatabase = false;
    bool CanViewSecurity = false;
    bool CanAddType = false;
    bool CanAddResource = false;
    bool CanAddSchedule = false;
    bool CanAddOtherSchedule = false;
};

struct TLoginData
{
    QString UserID;
    int SecurityID = -1;
    QString UserName;
    QString UserPhone;
};

// The process-wide records: filled at start-up and log-on, read everywhere.
extern TSystemInfo SystemSettings;
extern TSecurityData CurrentSecurity;
extern TLoginData CurrentUser;

// The slot lengths the schedule grids can handle, in minutes.
constexpr int MinTimeInterval = 1;
constexpr int MaxTimeInterval = 1440;

// Fills SystemSettings from the settings row on which the settings table stands; empty fields keep
// their defaults, and a slot length outside 1 to 1440 minutes is brought into that range.
void LoadSystemSettings();
// Fills CurrentSecurity for a profile number; an unknown number gives "Undefined" and no rights.
void LoadSecurityProfile(int securityID);
// The name shown for a user ID that no user has (any more).
inline const QString DeletedUserName = QStringLiteral("User Deleted");

// Fills a user record for a user ID matched without regard to case; an unknown ID leaves the
// record's UserID and gives SecurityID -1 and the name DeletedUserName.
void LookupUser(const QString &userID, TLoginData &record);
