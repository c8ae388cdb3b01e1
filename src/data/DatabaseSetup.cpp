#include "data/DatabaseSetup.h"

#include "data/ProgramConst.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Schema.h"
#include "platform/db/Table.h"
#include "platform/db/TimeValue.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>

namespace DatabaseSetup {

namespace {

using Values = QList<QPair<QString, QVariant>>;

QVariant insertRow(TTable &table, const Values &values)
{
    table.Insert();
    for (const auto &[field, value] : values)
        table.SetFieldValue(field, value);
    table.Post();
    return table.FieldValue(table.definition().primaryKey);
}

double hours(int h, int m = 0)
{
    return (h * 60 + m) / 1440.0;
}

void writeDefaultSettings(TDatabase &database)
{
    const TSystemInfo d;
    TTable settings(database, QStringLiteral("Settings"));
    settings.Open();
    insertRow(settings, {{"DisableLogin", d.DisableLogin}, {"AutoLogon", d.AutoLogon},
                         {"TimeInterval", d.TimeInterval}, {"WorkHoursStart", d.WorkHoursStart},
                         {"WorkHoursEnd", d.WorkHoursEnd}, {"InUseColor", d.InUseColor},
                         {"FreeColor", d.FreeColor}, {"NoWorkColor", d.NoWorkColor},
                         {"DefaultDays", d.DefaultDays}, {"PrintStartTime", d.PrintStartTime},
                         {"PrintEndTime", d.PrintEndTime}, {"PrintInUseColor", d.PrintInUseColor},
                         {"PrintFreeColor", d.PrintFreeColor}, {"PrintNoWorkColor", d.PrintNoWorkColor},
                         {"Landscape", d.Landscape}, {"DefaultFontSize", d.DefaultFontSize},
                         {"DefaultFooter", d.DefaultFooter}, {"ScheduleDots", d.ScheduleDots},
                         {"ScheduleEndTime", d.ScheduleEndTime}, {"ScheduleReservedBy", d.ScheduleReservedBy},
                         {"ScheduleNotes", d.ScheduleNotes}});
}

Values profile(int id, const char *description, const QList<bool> &rights)
{
    static const char *const names[] = {"Supervisor", "CanChangeSystem", "CanAddUser", "CanPackDatabase",
                                        "CanViewSecurity", "CanAddType", "CanAddResource",
                                        "CanAddSchedule", "CanAddOtherSchedule"};
    Values values;
    if (id >= 0)
        values << qMakePair(QStringLiteral("SecurityID"), QVariant(id));
    values << qMakePair(QStringLiteral("Description"), QVariant(QString::fromUtf8(description)));
    for (int i = 0; i < 9; ++i)
        values << qMakePair(QString::fromLatin1(names[i]), QVariant(rights.value(i)));
    return values;
}

// The master profile has number 0, which an identity column never hands out: it is written
// directly.
void writeMasterProfileAndSupervisor(TDatabase &database)
{
    database.exec(QStringLiteral("INSERT INTO \"Security\" (\"SecurityID\", \"Description\", \"Supervisor\", "
                                 "\"CanChangeSystem\", \"CanAddUser\", \"CanPackDatabase\", \"CanViewSecurity\", "
                                 "\"CanAddType\", \"CanAddResource\", \"CanAddSchedule\", \"CanAddOtherSchedule\") "
                                 "VALUES (0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {QStringLiteral("Master"), true, true, true, true, true, true, true, true, true});
    TTable users(database, QStringLiteral("User"));
    users.Open();
    insertRow(users, {{"UserID", QStringLiteral("Supervisor")}, {"UserName", QStringLiteral("Supervisor")},
                      {"UserPassword", QString()}, {"SecurityID", 0}});
}

void createPostgresDatabaseIfMissing(const DatabaseLocation &location)
{
    TDatabase probe(location, QStringLiteral("quorvel-db"));
    try {
        probe.Open();
        return;
    } catch (const EDatabaseError &error) {
        if (!error.message().contains(QLatin1String("does not exist")))
            throw;
    }
    DatabaseLocation maintenance = location;
    maintenance.url.setPath(QStringLiteral("/postgres"));
    TDatabase server(maintenance, QStringLiteral("quorvel-db"));
    server.Open();
    const QString name = location.databaseName();
    if (name.isEmpty() || name.contains(QLatin1Char('"')))
        throw EDatabaseError(QStringLiteral("'%1' is not a database name Quorvel can create").arg(name));
    server.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
}

} // namespace

bool Exists(const DatabaseLocation &location)
{
    TDatabase database(location, QStringLiteral("quorvel-db"));
    try {
        database.Open();
    } catch (const EDatabaseError &) {
        return false;
    }
    return database.SchemaExists();
}

void DropAll(TDatabase &database)
{
    Transaction transaction(database);
    const QStringList existing = database.connection().tables();
    QStringList names;
    for (const TableDef &t : Schema::tables())
        names << t.name;
    names << QString::fromLatin1(Schema::VersionTable);
    for (const QString &name : names)
        if (existing.contains(name))
            database.exec(QStringLiteral("DROP TABLE \"%1\"").arg(name));
    transaction.commit();
}

void Init(const DatabaseLocation &location, bool replace)
{
    if (location.engine == EngineKind::PostgreSQL)
        createPostgresDatabaseIfMissing(location);
    TDatabase database(location, QStringLiteral("quorvel-db"));
    database.Open(true);
    // The old tables go in the same unit that creates the new ones: when creating fails, the
    // database that was there is still there.
    Transaction transaction(database);
    if (database.SchemaExists()) {
        if (!replace)
            throw EDatabaseError(QStringLiteral("A Quorvel database already exists at %1; "
                                                "it was left as it is (use --force to replace it)")
                                     .arg(location.describe()));
        DropAll(database);
    } else if (!database.connection().tables().isEmpty() && !replace) {
        throw EDatabaseError(QStringLiteral("%1 already holds tables that are not a complete Quorvel database; "
                                            "it was left as it is (use --force to replace it)")
                                 .arg(location.describe()));
    } else if (replace) {
        DropAll(database);
    }
    for (const QString &statement : Schema::createStatements(database.engine()))
        database.exec(statement);
    writeDefaultSettings(database);
    writeMasterProfileAndSupervisor(database);
    transaction.commit();
}

void SeedDemo(TDatabase &database, const QString &workstationUser)
{
    Transaction transaction(database);
    TTable security(database, QStringLiteral("Security"));
    security.Open();
    const QVariant admins = insertRow(security, profile(-1, "Administrators", {false, true, true, true, true, true, true, true, true}));
    const QVariant staff = insertRow(security, profile(-1, "Staff", {false, false, false, false, false, false, false, true, false}));
    const QVariant reception = insertRow(security, profile(-1, "Reception", {false, false, false, false, false, false, false, true, true}));
    const QVariant visitors = insertRow(security, profile(-1, "Visitors", {}));

    TTable users(database, QStringLiteral("User"));
    users.Open();
    struct DemoUser { const char *id; const char *name; const char *password; const char *phone; QVariant profile; };
    const QList<DemoUser> people = {
        {"ADMIN", "Alice Martin", "admin", "555-0100", admins},
        {"MJONES", "Mary Jones", "mary", "555-0121", staff},
        {"TBROWN", "Tom Brown", "tom", "555-0134", staff},
        {"RDESK", "Reception Desk", "desk", "555-0150", reception},
        {"GUEST", "Guest", "", "", visitors},
    };
    for (const DemoUser &p : people)
        insertRow(users, {{"UserID", QString::fromLatin1(p.id)}, {"UserName", QString::fromLatin1(p.name)},
                          {"UserPassword", QString::fromLatin1(p.password)}, {"UserPhone", QString::fromLatin1(p.phone)},
                          {"SecurityID", p.profile}});

    const QString stamp = QStringLiteral("Supervisor");
    const double now = TimeValue::now();
    TTable types(database, QStringLiteral("Type"));
    types.Open();
    auto addType = [&](const char *name) {
        return insertRow(types, {{"Description", QString::fromLatin1(name)}, {"ModifiedBy", stamp}, {"ModifiedDate", now}});
    };
    const QVariant rooms = addType("Meeting Rooms");
    const QVariant vehicles = addType("Vehicles");
    const QVariant equipment = addType("Equipment");

    TTable resources(database, QStringLiteral("Resource"));
    resources.Open();
    struct DemoResource { const char *shortName; const char *longName; QVariant type; int capacity; const char *notes; bool restricted; bool viewable; };
    const QList<DemoResource> things = {
        {"Board Room", "Board Room, 3rd floor", rooms, 14, "Video conference screen and whiteboard.", true, true},
        {"Room 101", "Meeting Room 101", rooms, 6, "Round table, phone.", false, false},
        {"Room 102", "Meeting Room 102", rooms, 6, "", false, false},
        {"Training Room", "Training Room, ground floor", rooms, 24, "Projector and 12 laptops.", false, false},
        {"Quiet Room", "Quiet Room 2B", rooms, 2, "No phones.", false, false},
        {"Van 1", "Ford Transit Van 1", vehicles, 8, "Keys at reception.", false, false},
        {"Van 2", "Ford Transit Van 2", vehicles, 8, "Keys at reception.", false, false},
        {"Pool Car", "Pool Car (Golf)", vehicles, 4, "Fuel card in the glovebox.", false, false},
        {"Director Car", "Director's Car", vehicles, 4, "Director's office only.", true, false},
        {"Projector 1", "Portable Projector 1", equipment, 1, "", false, false},
        {"Projector 2", "Portable Projector 2", equipment, 1, "", false, false},
        {"Laptop Cart", "Laptop Cart (12 laptops)", equipment, 12, "Charge overnight.", false, false},
    };
    QList<int> resourceIds;
    for (const DemoResource &r : things)
        resourceIds << insertRow(resources, {{"Description", QString::fromLatin1(r.shortName)},
                                             {"DescriptionL", QString::fromUtf8(r.longName)},
                                             {"TypeID", r.type}, {"Capacity", r.capacity},
                                             {"Notes", QString::fromLatin1(r.notes)},
                                             {"Restricted", r.restricted}, {"AllowViewing", r.viewable},
                                             {"ModifiedBy", stamp}, {"ModifiedDate", now}}).toInt();

    TTable restrict(database, QStringLiteral("Restrict"));
    restrict.Open();
    insertRow(restrict, {{"ResourceID", resourceIds.at(0)}, {"UserID", QStringLiteral("MJONES")}});
    insertRow(restrict, {{"ResourceID", resourceIds.at(0)}, {"UserID", QStringLiteral("ADMIN")}});
    insertRow(restrict, {{"ResourceID", resourceIds.at(8)}, {"UserID", QStringLiteral("ADMIN")}});

    TTable schedule(database, QStringLiteral("Schedule"));
    schedule.Open();
    const QStringList bookers = {"ADMIN", "MJONES", "TBROWN", "RDESK", "Supervisor"};
    const QStringList notes = {"Team meeting", "Client visit", "", "Interviews", "Site trip", "Training", "Weekly review"};
    QRandomGenerator random(20261210);
    const QDate monday = QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek());
    for (int day = 0; day < 14; ++day) {
        const QDate date = monday.addDays(day);
        if (date.dayOfWeek() > 5)
            continue;
        for (int r = 0; r < resourceIds.size(); ++r) {
            int hour = 8 + int(random.bounded(3));
            while (hour < 17 && random.bounded(3) != 0) {
                const int length = 1 + int(random.bounded(3));
                const int end = std::min(hour + length, 18);
                insertRow(schedule, {{"ResourceID", resourceIds.at(r)}, {"ScheduleDate", TimeValue::fromDate(date)},
                                     {"StartTime", hours(hour)}, {"EndTime", hours(end)},
                                     {"ReservedBy", bookers.at(int(random.bounded(bookers.size())))},
                                     {"Notes", notes.at(int(random.bounded(notes.size())))},
                                     {"ModifiedBy", stamp}, {"ModifiedDate", now}});
                hour = end + int(random.bounded(2));
            }
        }
    }

    AdmitWorkstation(database, workstationUser);
    transaction.commit();
}

void AdmitWorkstation(TDatabase &database, const QString &workstationUser)
{
    const QString ownID = workstationUser.left(Schema::table(QStringLiteral("User")).field(QStringLiteral("UserID"))->width);
    const bool taken = ownID.isEmpty()
        || database.exec(QStringLiteral("SELECT 1 FROM \"User\" WHERE upper(\"UserID\") = upper(?)"), {ownID}).next();
    if (!taken)
        database.exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"UserName\", \"UserPassword\", \"SecurityID\") "
                                     "VALUES (?, ?, '', 0)"),
                      {ownID, QStringLiteral("Workstation User")});
    // Show the scheduling grids in half hours and log the person at the workstation straight in.
    database.exec(QStringLiteral("UPDATE \"Settings\" SET \"TimeInterval\" = ?, \"AutoLogon\" = ?"),
                  {30, FieldValue::toStorage(database.engine(), FieldKind::Logical, true)});
}

} // namespace DatabaseSetup
