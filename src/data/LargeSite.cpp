#include "data/LargeSite.h"

#include "data/DatabaseSetup.h"
#include "platform/db/Database.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Schema.h"
#include "platform/db/TimeValue.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace LargeSite {

namespace {

// Collects rows and writes them many to a statement: one statement a row would take minutes for
// a million bookings on a server. Not too many, though: the SQLite driver looks every parameter up
// by position in a list, so the cost of a statement grows with the square of its parameters.
class BulkInsert
{
public:
    BulkInsert(TDatabase &database, const QString &tableName, const QStringList &fields)
        : m_database(database), m_table(Schema::table(tableName))
    {
        for (const QString &name : fields)
            m_fields << m_table.field(name);
    }
    ~BulkInsert() = default;

    void add(const QVariantList &row)
    {
        for (int i = 0; i < row.size(); ++i)
            m_values << FieldValue::toStorage(m_database.engine(), m_fields.at(i)->kind, row.at(i));
        if (++m_rows == rowsPerStatement())
            flush();
    }

    void flush()
    {
        if (m_rows == 0)
            return;
        QStringList names;
        for (const FieldDef *f : m_fields)
            names << QLatin1Char('"') + f->name + QLatin1Char('"');
        const QString row = QLatin1Char('(') + QStringList(m_fields.size(), QStringLiteral("?")).join(QLatin1Char(','))
                            + QLatin1Char(')');
        m_database.exec(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES %3")
                            .arg(m_table.name, names.join(QLatin1Char(',')), QStringList(m_rows, row).join(QLatin1Char(','))),
                        m_values);
        m_values.clear();
        m_rows = 0;
    }

private:
    int rowsPerStatement() const { return m_database.engine() == EngineKind::SQLite ? 50 : 1000; }

    TDatabase &m_database;
    const TableDef &m_table;
    QList<const FieldDef *> m_fields;
    QVariantList m_values;
    int m_rows = 0;
};

int scaled(int full, double scale)
{
    return std::max(1, int(std::lround(full * scale)));
}

double hours(double h)
{
    return h / 24.0;
}

QString userID(int n)
{
    return QStringLiteral("USER%1").arg(n, 3, 10, QLatin1Char('0'));
}

const QStringList TypeNames = {
    QStringLiteral("Meeting Rooms"), QStringLiteral("Desks"), QStringLiteral("Projectors"),
    QStringLiteral("Laptops"), QStringLiteral("Cameras"), QStringLiteral("Vehicles"),
    QStringLiteral("Parking Spaces"), QStringLiteral("Lab Benches"), QStringLiteral("Microscopes"),
    QStringLiteral("Studios"), QStringLiteral("Lockers"), QStringLiteral("Tablets"),
    QStringLiteral("Phones"), QStringLiteral("Bicycles"), QStringLiteral("Printers"),
    QStringLiteral("Sound Kits"), QStringLiteral("Tools"), QStringLiteral("Kitchens"),
    QStringLiteral("Courts"), QStringLiteral("Training Rooms")};

void addUsers(TDatabase &database, int count)
{
    static const QStringList first = {"Alice", "Ben", "Chloe", "David", "Emma", "Farid", "Grace", "Hugo",
                                      "Ines", "James", "Kate", "Liam", "Maya", "Noah", "Olga"};
    static const QStringList last = {"Martin", "Jones", "Brown", "Smith", "Khan", "Novak", "Garcia",
                                     "Weber", "Rossi", "Dubois", "Silva", "Young", "Lee", "Moreau", "Walsh",
                                     "Fischer", "Costa", "Hughes", "Berg", "Ortiz"};
    // Most people may book for themselves; every tenth is in the master profile.
    const int staff = 1;
    BulkInsert profiles(database, QStringLiteral("Security"),
                        {"SecurityID", "Description", "Supervisor", "CanChangeSystem", "CanAddUser", "CanPackDatabase",
                         "CanViewSecurity", "CanAddType", "CanAddResource", "CanAddSchedule", "CanAddOtherSchedule"});
    profiles.add({staff, QStringLiteral("Staff"), false, false, false, false, false, false, false, true, false});
    profiles.flush();
    BulkInsert users(database, QStringLiteral("User"), {"UserID", "UserName", "UserPassword", "UserPhone", "SecurityID"});
    for (int n = 1; n <= count; ++n)
        users.add({userID(n), first.at(n % first.size()) + QLatin1Char(' ') + last.at((n / first.size()) % last.size()),
                   QString(), QStringLiteral("555-%1").arg(n, 4, 10, QLatin1Char('0')), n % 10 == 0 ? 0 : staff});
    users.flush();
}

// Every tenth resource is restricted to a handful of users; every other one of those may still
// be seen by everyone.
void addTypesAndResources(TDatabase &database, const Size &size, QList<int> &resourceIds)
{
    const double now = TimeValue::now();
    BulkInsert types(database, QStringLiteral("Type"), {"TypeID", "Description", "ModifiedBy", "ModifiedDate"});
    for (int t = 1; t <= size.types; ++t)
        types.add({t, TypeNames.at((t - 1) % TypeNames.size()) + (t > TypeNames.size() ? QStringLiteral(" %1").arg(t) : QString()),
                   QStringLiteral("Supervisor"), now});
    types.flush();

    BulkInsert resources(database, QStringLiteral("Resource"),
                         {"ResourceID", "Description", "DescriptionL", "TypeID", "Capacity", "Notes", "Restricted",
                          "AllowViewing", "ModifiedBy", "ModifiedDate"});
    BulkInsert restrict(database, QStringLiteral("Restrict"), {"ResourceID", "UserID"});
    const int firstTwo = size.bigTypeResources + size.hugeTypeResources;
    const int others = std::max(1, size.types - 2);
    auto typeOf = [&](int r) {
        if (r <= size.bigTypeResources)
            return 1;
        if (r <= firstTwo || size.types < 3)
            return std::min(2, size.types);
        return 3 + (r - firstTwo - 1) % others;
    };
    for (int r = 1; r <= size.resources; ++r) {
        const int type = typeOf(r);
        const bool restricted = r % 10 == 0;
        resources.add({r, QStringLiteral("Resource %1").arg(r, 4, 10, QLatin1Char('0')),
                       QStringLiteral("%1 number %2").arg(TypeNames.at((type - 1) % TypeNames.size())).arg(r),
                       type, 1 + r % 20, QString(), restricted, restricted && r % 20 == 0, QStringLiteral("Supervisor"), now});
        if (restricted)
            for (int u = 0; u < 5; ++u)
                restrict.add({r, userID(1 + (r + u * 37) % size.users)});
        resourceIds << r;
    }
    resources.flush();
    restrict.flush();
    // The keys of profiles, types and resources were written explicitly: move PostgreSQL's identity counters past them.
    if (database.engine() == EngineKind::PostgreSQL)
        for (const char *table : {"Security", "Type", "Resource"})
            database.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('\"%1\"', '%1ID'), "
                                         "(SELECT max(\"%1ID\") FROM \"%1\"))").arg(QLatin1String(table)));
}

// Bookings on the weekdays of a year either side of the busy day, a few a resource-day at random
// free hours, until the aimed-at count; the first type is fully booked 08:00-16:00 on the busy day.
void addBookings(TDatabase &database, const Size &size, const QList<int> &resourceIds)
{
    static const QStringList notes = {"Team meeting", "Client visit", "", "Interviews", "Site trip", "Training"};
    const double now = TimeValue::now();
    const QDate busy = BusyDay();
    BulkInsert bookings(database, QStringLiteral("Schedule"),
                        {"ResourceID", "ScheduleDate", "StartTime", "EndTime", "ReservedBy", "Notes", "ModifiedBy",
                         "ModifiedDate"});
    QRandomGenerator random(20261210);
    int written = 0;
    auto book = [&](int resource, double date, int startHour, int endHour) {
        bookings.add({resource, date, hours(startHour), hours(endHour),
                      userID(1 + int(random.bounded(size.users))), notes.at(int(random.bounded(notes.size()))),
                      QStringLiteral("Supervisor"), now});
        ++written;
    };
    const double busyDate = TimeValue::fromDate(busy);
    for (int r = 0; r < size.bigTypeResources; ++r)
        for (int h = 8; h < 16; ++h)
            book(resourceIds.at(r), busyDate, h, h + 1);

    // Visit the days in an order that spreads the bookings over the whole two years even when
    // the count runs out early.
    QList<QDate> days;
    for (QDate d = busy.addYears(-1); d < busy.addYears(1); d = d.addDays(1))
        if (d.dayOfWeek() <= 5)
            days << d;
    const double perDay = double(size.bookings - written) / (double(days.size()) * resourceIds.size());
    for (const QDate &day : days) {
        const double date = TimeValue::fromDate(day);
        for (int resource : resourceIds) {
            if (day == busy && resource <= size.bigTypeResources)
                continue;
            // About perDay bookings of one to three hours between 08:00 and 18:00, never overlapping.
            int hour = 8 + int(random.bounded(4));
            double wanted = perDay + random.generateDouble() - 0.5;
            while (wanted >= 0.5 && hour < 17 && written < size.bookings) {
                const int end = std::min(hour + 1 + int(random.bounded(3)), 18);
                book(resource, date, hour, end);
                hour = end + int(random.bounded(2));
                wanted -= 1.0;
            }
        }
    }
    bookings.flush();
}

} // namespace

Size SizeAt(double scale)
{
    Size size;
    size.resources = scaled(2000, scale);
    size.bigTypeResources = std::min(size.resources, scaled(500, scale));
    size.hugeTypeResources = std::min(size.resources - size.bigTypeResources, scaled(1000, scale));
    size.types = std::min(size.resources, std::max(3, scaled(20, scale)));
    size.users = scaled(300, scale);
    size.bookings = scaled(1000000, scale);
    return size;
}

QDate BusyDay()
{
    const QDate today = QDate::currentDate();
    return today.addDays(3 - today.dayOfWeek());
}

QString BigTypeName()
{
    return TypeNames.at(0);
}

QString HugeTypeName()
{
    return TypeNames.at(1);
}

void Seed(TDatabase &database, double scale, const QString &workstationUser)
{
    const Size size = SizeAt(scale);
    Transaction transaction(database);
    addUsers(database, size.users);
    QList<int> resourceIds;
    addTypesAndResources(database, size, resourceIds);
    addBookings(database, size, resourceIds);
    DatabaseSetup::AdmitWorkstation(database, workstationUser);
    transaction.commit();
    // The engines plan by what they know of each table's contents; a site written in one go is
    // unknown to them until their own background upkeep comes round to it.
    database.exec(QStringLiteral("ANALYZE"));
}

} // namespace LargeSite
