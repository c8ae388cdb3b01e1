#pragma once

// A small site for the schedule views: slots of 30 minutes, the logged-on user ME ("Me Myself") who
// may add bookings, and helpers to add types, resources and bookings.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QTest>

inline double at(int hour, int minute, int second = 0)
{
    return ((hour * 60 + minute) * 60 + second) / 86400.0;
}

class ViewSite
{
public:
    ViewSite()
    {
        SystemSettings = TSystemInfo();
        SystemSettings.TimeInterval = 30;
        CurrentUser = TLoginData{QStringLiteral("ME"), 1, QStringLiteral("Me Myself"), QString()};
        CurrentSecurity = TSecurityData();
        CurrentSecurity.CanAddSchedule = true;
        data.AllowedResources.clear();
        addUser(QStringLiteral("ME"), QStringLiteral("Me Myself"));
    }

    void addUser(const QString &id, const QString &name)
    {
        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", id);
        users.SetFieldValue("UserName", name);
        users.Post();
    }

    int addType(const QString &name)
    {
        TTable &types = data.TypeTable;
        types.Append();
        types.SetFieldValue("Description", name);
        types.Post();
        return types.FieldValue("TypeID").toInt();
    }

    // Makes the type the current row of the types table, as the windows that open on it expect.
    void standOnType(int typeID)
    {
        TTable &types = data.TypeTable;
        types.GotoRecord(*types.LookupRecord(QStringLiteral("TypeID"), typeID));
    }

    int addResource(const QString &name, int typeID, int capacity = 10, bool restricted = false,
                    bool allowViewing = false)
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", name);
        resources.SetFieldValue("DescriptionL", name + QStringLiteral(" (long)"));
        resources.SetFieldValue("TypeID", typeID);
        resources.SetFieldValue("Capacity", capacity);
        resources.SetFieldValue("Restricted", restricted);
        resources.SetFieldValue("AllowViewing", allowViewing);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    // Written as another workstation would, past the program's shared tables.
    int addBooking(int resource, double date, const QVariant &start, const QVariant &end,
                   const QString &reservedBy = QStringLiteral("ME"))
    {
        TTable other(data.ScheduleDatabase, QStringLiteral("Schedule.db"));
        other.Open();
        other.Append();
        other.SetFieldValue("ResourceID", resource);
        other.SetFieldValue("ScheduleDate", date);
        other.SetFieldValue("StartTime", start);
        other.SetFieldValue("EndTime", end);
        other.SetFieldValue("ReservedBy", reservedBy);
        other.Post();
        return other.FieldValue("Sequence").toInt();
    }

    TestSite site;
    TProgramDataForm &data = site.data();
};

inline void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}
