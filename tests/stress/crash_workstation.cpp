// A workstation that repeats one many-row change until it is killed: a range booking, the rename of
// a user, or the deletion of a resource with its bookings. It registers in the list of running
// programs, says "registered", and then "round" after each change it finished.
//
// crash_workstation <database location> <range|rename|delete> <user name> <first date>

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/Sessions.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/SpinEdit.h"
#include "support/LogOn.h"

#include <QApplication>
#include <iostream>

namespace {

constexpr int RangeDates = 10;
constexpr int BookingsOfAResource = 20;

// Books the next RangeDates dates after the ones booked already, 10:00 to 11:00.
void bookRange(TProgramDataForm &data, double firstDate)
{
    TTable &resources = data.ResourceTable;
    resources.First();
    TScheduleRangeForm range;
    range.ResourceLookup->SetKeyValue(resources.FieldValue(QStringLiteral("ResourceID")));
    range.SchStartTime->SetDateTime(600 / 1440.0);
    range.Duration->SetValue(60);
    const int booked = data.ScheduleTable.RecordCount();
    for (int day = 0; day < RangeDates; ++day) {
        range.EventDatePicker->SetDateTime(firstDate + booked + day);
        range.AddBtnClick();
    }
    range.BookSelectedDates();
}

// The user whose ID starts with R becomes R<n+1>, and with it all that refers to the user.
void renameUser(TProgramDataForm &data)
{
    TTable &users = data.UserSettingsTable;
    for (users.First(); !users.Eof(); users.Next()) {
        const QString id = FieldValue::asString(users.FieldValue(QStringLiteral("UserID")));
        if (!id.startsWith(QLatin1Char('R')))
            continue;
        users.Edit();
        users.SetFieldValue(QStringLiteral("UserID"), QStringLiteral("R%1").arg(id.mid(1).toInt() + 1));
        users.Post();
        return;
    }
    throw EDatabaseError(QStringLiteral("There is no user to rename"));
}

// A resource with bookings and users allowed to book it is made, then deleted again.
void makeAndDeleteResource(TProgramDataForm &data, double firstDate)
{
    // The data module finds resources by description, so each one gets a description of its own.
    static int made = 0;
    const QString description = QStringLiteral("Short-lived %1.%2").arg(QCoreApplication::applicationPid()).arg(++made);
    TTable &resources = data.ResourceTable;
    resources.Append();
    resources.SetFieldValue(QStringLiteral("Description"), description);
    resources.Post();
    const int resourceID = FieldValue::asInteger(resources.FieldValue(QStringLiteral("ResourceID")));
    {
        Transaction transaction(data.ScheduleDatabase);
        for (int i = 0; i < BookingsOfAResource; ++i)
            ExecQuery(data.ScheduleQuery,
                      {QStringLiteral("Insert Into \"Schedule.db\" (ResourceID, ScheduleDate, StartTime, EndTime)"),
                       QStringLiteral("Values (:ResourceID, :Day, :Start, :End)")},
                      {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("Day"), FieldValue::date(firstDate + i)},
                       {QStringLiteral("Start"), FieldValue::time(600 / 1440.0)},
                       {QStringLiteral("End"), FieldValue::time(660 / 1440.0)}});
        ExecQuery(data.RestrictQuery,
                  {QStringLiteral("Insert Into \"Restrict.db\" (ResourceID, UserID) Values (:ResourceID, :UserID)")},
                  {{QStringLiteral("ResourceID"), resourceID}, {QStringLiteral("UserID"), CurrentUser.UserID}});
        transaction.commit();
    }
    if (!resources.FindKey({description}))
        throw EDatabaseError(QStringLiteral("The new resource is gone"));
    resources.Delete();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::cerr << "usage: crash_workstation <location> <range|rename|delete> <user name> <first date>\n";
        return 2;
    }
    try {
        TProgramDataForm data(DatabaseLocation::parse(args.at(1)));
        ProgramDataForm = &data;
        data.DataModuleCreate();
        LogOnAsBooker(args.at(3));
        CurrentSecurity.Supervisor = true;
        TSessions sessions(data.ScheduleDatabase);
        sessions.Register(args.at(3));
        std::cout << "registered" << std::endl;

        const QString kind = args.at(2);
        const double firstDate = args.at(4).toDouble();
        for (;;) {
            if (kind == QLatin1String("range"))
                bookRange(data, firstDate);
            else if (kind == QLatin1String("rename"))
                renameUser(data);
            else
                makeAndDeleteResource(data, firstDate);
            std::cout << "round" << std::endl;
        }
    } catch (const EDatabaseError &error) {
        std::cerr << error.message().toStdString() << std::endl;
        return 1;
    }
}
