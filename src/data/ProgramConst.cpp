#include "data/ProgramConst.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"

#include <algorithm>

TSystemInfo SystemSettings;
TSecurityData CurrentSecurity;
TLoginData CurrentUser;

namespace {

void readBoolean(const TTable &table, const char *field, bool &member)
{
    member = FieldValue::asBoolean(table.FieldValue(QString::fromLatin1(field)), member);
}

void readInteger(const TTable &table, const char *field, int &member)
{
    member = FieldValue::asInteger(table.FieldValue(QString::fromLatin1(field)), member);
}

void readFloat(const TTable &table, const char *field, double &member)
{
    member = FieldValue::asFloat(table.FieldValue(QString::fromLatin1(field)), member);
}

void readText(const TTable &table, const char *field, QString &member)
{
    member = FieldValue::asString(table.FieldValue(QString::fromLatin1(field)), member);
}

void readBoolean(const TQuery &query, const char *field, bool &member)
{
    member = FieldValue::asBoolean(query.FieldValue(QString::fromLatin1(field)), member);
}

} // namespace

void LoadSystemSettings()
{
    SystemSettings = TSystemInfo();
    SystemSettings.PrintStartTime = SystemSettings.WorkHoursStart;
    SystemSettings.PrintEndTime = SystemSettings.WorkHoursEnd;

    const TTable &table = ProgramDataForm->SettingsTable;
    TSystemInfo &s = SystemSettings;
    readBoolean(table, "DisableLogin", s.DisableLogin);
    readBoolean(table, "AutoLogon", s.AutoLogon);
    readInteger(table, "TimeInterval", s.TimeInterval);
    readFloat(table, "WorkHoursStart", s.WorkHoursStart);
    readFloat(table, "WorkHoursEnd", s.WorkHoursEnd);
    readInteger(table, "InUseColor", s.InUseColor);
    readInteger(table, "FreeColor", s.FreeColor);
    readInteger(table, "NoWorkColor", s.NoWorkColor);
    readInteger(table, "DefaultDays", s.DefaultDays);
    readFloat(table, "PrintStartTime", s.PrintStartTime);
    readFloat(table, "PrintEndTime", s.PrintEndTime);
    readInteger(table, "PrintInUseColor", s.PrintInUseColor);
    readInteger(table, "PrintFreeColor", s.PrintFreeColor);
    readInteger(table, "PrintNoWorkColor", s.PrintNoWorkColor);
    readBoolean(table, "Landscape", s.Landscape);
    readInteger(table, "DefaultFontSize", s.DefaultFontSize);
    readText(table, "DefaultFooter", s.DefaultFooter);
    readFloat(table, "ScheduleDots", s.ScheduleDots);
    readFloat(table, "ScheduleEndTime", s.ScheduleEndTime);
    readFloat(table, "ScheduleReservedBy", s.ScheduleReservedBy);
    readFloat(table, "ScheduleNotes", s.ScheduleNotes);

    // Every slot routine divides by the interval: a stored 0 or a huge value must not reach them.
    s.TimeInterval = std::clamp(s.TimeInterval, MinTimeInterval, MaxTimeInterval);
}

void LoadSecurityProfile(int securityID)
{
    CurrentSecurity = TSecurityData();
    CurrentSecurity.SecurityID = securityID;

    TQuery &query = ProgramDataForm->SecurityQuery;
    query.Close();
    query.Clear();
    query.Add(QStringLiteral("Select * From \"Security.db\" Where SecurityID = :SecurityID"));
    query.SetParam(QStringLiteral("SecurityID"), securityID);
    query.Prepare();
    query.Open();
    query.First();
    if (!query.Eof()) {
        TSecurityData &c = CurrentSecurity;
        c.Description = FieldValue::asString(query.FieldValue(QStringLiteral("Description")), c.Description);
        readBoolean(query, "Supervisor", c.Supervisor);
        readBoolean(query, "CanChangeSystem", c.CanChangeSystem);
        readBoolean(query, "CanAddUser", c.CanAddUser);
        readBoolean(query, "CanPackDatabase", c.CanPackDatabase);
        readBoolean(query, "CanViewSecurity", c.CanViewSecurity);
        readBoolean(query, "CanAddType", c.CanAddType);
        readBoolean(query, "CanAddResource", c.CanAddResource);
        readBoolean(query, "CanAddSchedule", c.CanAddSchedule);
        readBoolean(query, "CanAddOtherSchedule", c.CanAddOtherSchedule);
    }
    query.Close();
    query.Unprepare();
}

void LookupUser(const QString &userID, TLoginData &record)
{
    record.SecurityID = -1;
    record.UserName = DeletedUserName;
    record.UserPhone.clear();

    TQuery &query = ProgramDataForm->UserSettingsQuery;
    query.Close();
    query.Clear();
    query.Add(QStringLiteral("Select * From \"User.db\" Where Upper(userid) = Upper(:UserID)"));
    query.SetParam(QStringLiteral("UserID"), userID.toUpper());
    query.Prepare();
    query.Open();
    query.First();
    if (!query.Eof()) {
        record.UserID = FieldValue::asString(query.FieldValue(QStringLiteral("UserID")), record.UserID);
        record.SecurityID = FieldValue::asInteger(query.FieldValue(QStringLiteral("SecurityID")), record.SecurityID);
        const QString name = FieldValue::asString(query.FieldValue(QStringLiteral("UserName")));
        if (!name.isEmpty())
            record.UserName = name;
        record.UserPhone = FieldValue::asString(query.FieldValue(QStringLiteral("UserPhone")));
    }
    query.Close();
    query.Unprepare();
}
