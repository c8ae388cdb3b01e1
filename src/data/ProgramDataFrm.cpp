#include "data/ProgramDataFrm.h"

#include "platform/db/DatabaseError.h"

TProgramDataForm *ProgramDataForm = nullptr;

namespace {
constexpr int LookupWidth = 20;
}

TProgramDataForm::TProgramDataForm(const DatabaseLocation &location, QObject *parent)
    : QObject(parent),
      ScheduleDatabase(location),
      UserSettingsTable(ScheduleDatabase, QStringLiteral("User.db")),
      SecurityTable(ScheduleDatabase, QStringLiteral("Security.db")),
      SettingsTable(ScheduleDatabase, QStringLiteral("Settings.db")),
      TypeTable(ScheduleDatabase, QStringLiteral("Type.DB")),
      ResourceTable(ScheduleDatabase, QStringLiteral("resource.DB")),
      ScheduleTable(ScheduleDatabase, QStringLiteral("Schedule.db")),
      RestrictTable(ScheduleDatabase, QStringLiteral("Restrict.db")),
      UserSettingsSource(&UserSettingsTable),
      SecuritySource(&SecurityTable),
      SettingsSource(&SettingsTable),
      TypeSource(&TypeTable),
      ResourceSource(&ResourceTable),
      ScheduleSource(&ScheduleTable),
      RestrictSource(&RestrictTable),
      UserSettingsQuery(ScheduleDatabase),
      SecurityQuery(ScheduleDatabase),
      SettingsQuery(ScheduleDatabase),
      TypeQuery(ScheduleDatabase),
      ResourceQuery(ScheduleDatabase),
      ScheduleQuery(ScheduleDatabase),
      RestrictQuery(ScheduleDatabase)
{
    UserSettingsTable.SetIndexName(QStringLiteral("IUserName"));
    TypeTable.SetIndexName(QStringLiteral("TDescription"));
    ResourceTable.SetIndexName(QStringLiteral("RDescription"));
    defineLookupFields();
}

TProgramDataForm::~TProgramDataForm()
{
    if (ProgramDataForm == this)
        ProgramDataForm = nullptr;
}

void TProgramDataForm::defineLookupFields()
{
    ScheduleTable.AddLookupField(QStringLiteral("ReservedName"), QStringLiteral("ReservedBy"),
                                 &UserSettingsTable, QStringLiteral("UserID"), QStringLiteral("UserName"), LookupWidth);
    ScheduleTable.AddLookupField(QStringLiteral("ModifiedName"), QStringLiteral("ModifiedBy"),
                                 &UserSettingsTable, QStringLiteral("UserID"), QStringLiteral("UserName"), LookupWidth);
    ScheduleTable.AddLookupField(QStringLiteral("ResourceName"), QStringLiteral("ResourceID"),
                                 &ResourceTable, QStringLiteral("ResourceID"), QStringLiteral("DescriptionL"), LookupWidth);
    RestrictTable.AddLookupField(QStringLiteral("UserName"), QStringLiteral("UserID"),
                                 &UserSettingsTable, QStringLiteral("UserID"), QStringLiteral("UserName"), LookupWidth);
}

QList<TTable *> TProgramDataForm::tablesInOpeningOrder()
{
    return {&UserSettingsTable, &SecurityTable, &SettingsTable, &TypeTable,
            &ResourceTable, &ScheduleTable, &RestrictTable};
}

void TProgramDataForm::DataModuleCreate()
{
    AllowedResources.clear();
    const QString where = ScheduleDatabase.location().describe();
    try {
        ScheduleDatabase.Open();
    } catch (const EDatabaseError &error) {
        throw EDatabaseError(QStringLiteral("Could not connect to the Quorvel database %1:\n%2").arg(where, error.message()));
    }
    for (TTable *table : tablesInOpeningOrder()) {
        try {
            table->Open();
        } catch (const EDatabaseError &error) {
            throw EDatabaseError(QStringLiteral("Could not open the table %1 of the Quorvel database %2:\n%3")
                                     .arg(table->TableName(), where, error.message()));
        }
    }
}
