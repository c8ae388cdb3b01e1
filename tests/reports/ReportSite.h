#pragma once

// A small site to report on: users, types, resources and bookings in a real database.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

inline double Clock(int hours, int minutes = 0)
{
    return (hours * 60 + minutes) / 1440.0;
}

inline double Day(int year, int month, int day)
{
    return TimeValue::fromDate(QDate(year, month, day));
}

// Wednesday 10 January 2024, a working day.
inline const double Wednesday = Day(2024, 1, 10);

class ReportSite
{
public:
    // Default settings, logged on as the supervisor.
    ReportSite()
    {
        SystemSettings = TSystemInfo();
        CurrentSecurity = TSecurityData();
        CurrentSecurity.Supervisor = true;
        CurrentUser = TLoginData();
        CurrentUser.UserID = QStringLiteral("Supervisor");
        data().AllowedResources.clear();
        addUser(QStringLiteral("ALICE"), QStringLiteral("Alice Martin"));
        addUser(QStringLiteral("BOB"), QStringLiteral("Bob Stone"));
    }

    TProgramDataForm &data() { return m_site.data(); }

    void addUser(const QString &id, const QString &name)
    {
        TTable &users = data().UserSettingsTable;
        users.Insert();
        users.SetFieldValue("UserID", id);
        users.SetFieldValue("UserName", name);
        users.SetFieldValue("SecurityID", 1);
        users.Post();
    }

    int addType(const QString &name)
    {
        TTable &types = data().TypeTable;
        types.Insert();
        types.SetFieldValue("Description", name);
        types.Post();
        return types.FieldValue("TypeID").toInt();
    }

    int addResource(const QString &name, const QString &longName, const QVariant &typeID = QVariant(),
                    bool restricted = false, bool allowViewing = false)
    {
        TTable &resources = data().ResourceTable;
        resources.Insert();
        resources.SetFieldValue("Description", name);
        resources.SetFieldValue("DescriptionL", longName);
        resources.SetFieldValue("TypeID", typeID);
        resources.SetFieldValue("Restricted", restricted);
        resources.SetFieldValue("AllowViewing", allowViewing);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    void book(int resourceID, double date, double start, double end, const QString &reservedBy,
              const QString &notes = QString())
    {
        TTable &schedule = data().ScheduleTable;
        schedule.Insert();
        schedule.SetFieldValue("ResourceID", resourceID);
        schedule.SetFieldValue("ScheduleDate", date);
        schedule.SetFieldValue("StartTime", start);
        schedule.SetFieldValue("EndTime", end);
        schedule.SetFieldValue("ReservedBy", reservedBy);
        schedule.SetFieldValue("Notes", notes);
        schedule.Post();
    }

private:
    TestSite m_site;
};
