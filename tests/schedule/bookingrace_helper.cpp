// One workstation saving one booking: it opens the database, prepares the booking, reports
// "ready", waits for a line on its standard input and then saves, reporting "saved" or "refused".
//
// bookingrace_helper <database location> <ResourceID> <date> <start minute> <end minute>

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "schedule/BookingRules.h"

#include <QCoreApplication>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::cerr << "usage: bookingrace_helper <location> <resource> <date> <start minute> <end minute>\n";
        return 2;
    }
    try {
        TProgramDataForm data(DatabaseLocation::parse(args.at(1)));
        ProgramDataForm = &data;
        data.DataModuleCreate();
        CurrentUser.UserID = QStringLiteral("RACER%1").arg(QCoreApplication::applicationPid() % 1000);

        TTable &schedule = data.ScheduleTable;
        schedule.Append();
        schedule.SetFieldValue("ResourceID", args.at(2).toInt());
        schedule.SetFieldValue("ScheduleDate", args.at(3).toDouble());
        schedule.SetFieldValue("StartTime", args.at(4).toInt() / 1440.0);
        schedule.SetFieldValue("EndTime", args.at(5).toInt() / 1440.0);
        schedule.SetFieldValue("ReservedBy", CurrentUser.UserID);

        std::cout << "ready" << std::endl;
        std::string go;
        std::getline(std::cin, go);
        std::cout << (SaveBookingIfFree(-1) ? "saved" : "refused") << std::endl;
        return 0;
    } catch (const EDatabaseError &error) {
        std::cerr << error.message().toStdString() << std::endl;
        return 1;
    }
}
