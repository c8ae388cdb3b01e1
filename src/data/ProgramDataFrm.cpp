#include "data/ProgramDataFrm.h"

#include "data/ProgramConst.h"
#include "data/ResourceAccess.h"
#include "data/SchemaUpgrade.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/TimeValue.h"

#include <functional>

TProgramDataForm *ProgramDataForm = nullptr;

namespace {

constexpr int LookupWidth = 20;

QString textField(const TTable &table, const char *field)
{
    return FieldValue::asString(table.FieldValue(QString::fromLatin1(field)));
}

bool presentAndEqual(const TRecord &record, const char *field, int value)
{
    const QVariant stored = record.FieldValue(QString::fromLatin1(field));
    return !FieldValue::isNull(stored) && FieldValue::asInteger(stored) == value;
}

bool presentAndNotZero(const TRecord &record, const char *field)
{
    const QVariant stored = record.FieldValue(QString::fromLatin1(field));
    return !FieldValue::isNull(stored) && FieldValue::asInteger(stored) != 0;
}

// Who last posted the row, and when.
void stamp(TTable &table)
{
    table.SetFieldValue(QStringLiteral("ModifiedBy"), CurrentUser.UserID);
    table.SetFieldValue(QStringLiteral("ModifiedDate"), TimeValue::now());
}

} // namespace

TProgramDataForm::TProgramDataForm(const DatabaseLocation &location, QObject *parent)
    : QObject(parent),
      ScheduleDatabase(location),
      Sessions(ScheduleDatabase),
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
    attachRecordRules();
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

void TProgramDataForm::attachRecordRules()
{
    using std::bind_front;
    UserSettingsTable.BeforeEdit = bind_front(&TProgramDataForm::UserSettingsTableBeforeEdit, this);
    UserSettingsTable.BeforePost = bind_front(&TProgramDataForm::UserSettingsTableBeforePost, this);
    UserSettingsTable.BeforeDelete = bind_front(&TProgramDataForm::UserSettingsTableBeforeDelete, this);
    UserSettingsTable.SetFilter(bind_front(&TProgramDataForm::UserSettingsTableFilterRecord, this));
    SecurityTable.SetFilter(bind_front(&TProgramDataForm::SecurityTableFilterRecord, this));
    TypeTable.BeforePost = bind_front(&TProgramDataForm::TypeTableBeforePost, this);
    ResourceTable.BeforePost = bind_front(&TProgramDataForm::ResourceTableBeforePost, this);
    ResourceTable.BeforeDelete = bind_front(&TProgramDataForm::ResourceTableBeforeDelete, this);
    ResourceTable.OnNewRecord = bind_front(&TProgramDataForm::ResourceTableNewRecord, this);
    ResourceTable.SetFilter(bind_front(&TProgramDataForm::ResourceTableFilterRecord, this));
    ScheduleTable.BeforePost = bind_front(&TProgramDataForm::ScheduleTableBeforePost, this);
    ScheduleTable.OnNewRecord = bind_front(&TProgramDataForm::ScheduleTableNewRecord, this);
    RestrictTable.OnNewRecord = bind_front(&TProgramDataForm::RestrictTableNewRecord, this);
    RestrictTable.SetFilter(bind_front(&TProgramDataForm::RestrictTableFilterRecord, this));
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
    SchemaUpgrade::RequireCurrentVersion(ScheduleDatabase);
    for (TTable *table : tablesInOpeningOrder()) {
        try {
            table->Open();
        } catch (const EDatabaseError &error) {
            throw EDatabaseError(QStringLiteral("Could not open the table %1 of the Quorvel database %2:\n%3")
                                     .arg(table->TableName(), where, error.message()));
        }
    }
}

// ---- record rules --------------------------------------------------------------------------------

void TProgramDataForm::UserSettingsTableBeforeEdit(TTable &table)
{
    OldUserID = textField(table, "UserID");
}

void TProgramDataForm::UserSettingsTableBeforePost(TTable &table)
{
    const QString userID = textField(table, "UserID");
    if (userID.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("Error: A user must have a User ID"));
    // A change of letter case alone is a change: the other tables compare user IDs exactly.
    if (table.state() == TTable::State::Edit && !OldUserID.isEmpty() && userID != OldUserID)
        renameUserEverywhere(OldUserID, userID);
}

void TProgramDataForm::renameUserEverywhere(const QString &oldID, const QString &newID)
{
    const QueryParams ids = {{QStringLiteral("NewID"), newID}, {QStringLiteral("OldID"), oldID}};
    ExecQuery(RestrictQuery,
              {QStringLiteral("Update \"Restrict.db\""), QStringLiteral("Set UserID = :NewID"),
               QStringLiteral("Where UserID = :OldID")},
              ids);
    ExecQuery(ScheduleQuery,
              {QStringLiteral("Update \"schedule.db\""), QStringLiteral("Set ReservedBy = :NewID"),
               QStringLiteral("Where ReservedBy = :OldID")},
              ids);
    ExecQuery(ScheduleQuery,
              {QStringLiteral("Update \"schedule.db\""), QStringLiteral("Set ModifiedBy = :NewID"),
               QStringLiteral("Where ModifiedBy = :OldID")},
              ids);
    ExecQuery(ResourceQuery,
              {QStringLiteral("Update \"Resource.db\""), QStringLiteral("Set ModifiedBy = :NewID"),
               QStringLiteral("Where ModifiedBy = :OldID")},
              ids);
    ExecQuery(TypeQuery,
              {QStringLiteral("Update \"Type.db\""), QStringLiteral("Set ModifiedBy = :NewID"),
               QStringLiteral("Where ModifiedBy = :OldID")},
              ids);
}

// The user's bookings stay: they show the name "User Deleted" from now on.
void TProgramDataForm::UserSettingsTableBeforeDelete(TTable &table)
{
    if (table.FieldIsNull(QStringLiteral("UserID")))
        return;
    ExecQuery(RestrictQuery,
              {QStringLiteral("Delete From \"Restrict.db\""), QStringLiteral("Where UserID = :UserID")},
              {{QStringLiteral("UserID"), textField(table, "UserID")}});
}

bool TProgramDataForm::UserSettingsTableFilterRecord(const TRecord &record) const
{
    if (UserFilterID.isEmpty())
        return presentAndNotZero(record, "SecurityID");
    const QVariant userID = record.FieldValue(QStringLiteral("UserID"));
    return !FieldValue::isNull(userID) && FieldValue::asString(userID).toUpper() == UserFilterID.toUpper();
}

bool TProgramDataForm::SecurityTableFilterRecord(const TRecord &record) const
{
    return presentAndNotZero(record, "SecurityID");
}

void TProgramDataForm::TypeTableBeforePost(TTable &table)
{
    stamp(table);
}

void TProgramDataForm::ResourceTableBeforePost(TTable &table)
{
    stamp(table);
}

// All bookings of the resource, past and future, go with it.
void TProgramDataForm::ResourceTableBeforeDelete(TTable &table)
{
    if (table.FieldIsNull(QStringLiteral("ResourceID")))
        return;
    const QueryParams resource = {{QStringLiteral("ResourceID"),
                                   FieldValue::asInteger(table.FieldValue(QStringLiteral("ResourceID")))}};
    ExecQuery(RestrictQuery,
              {QStringLiteral("Delete From \"Restrict.db\""), QStringLiteral("Where ResourceID = :ResourceID")},
              resource);
    ExecQuery(ScheduleQuery,
              {QStringLiteral("Delete From \"schedule.db\""), QStringLiteral("Where ResourceID = :ResourceID")},
              resource);
}

void TProgramDataForm::ResourceTableNewRecord(TTable &table)
{
    table.SetFieldValue(QStringLiteral("Restricted"), false);
    table.SetFieldValue(QStringLiteral("AllowViewing"), false);
}

bool TProgramDataForm::ResourceTableFilterRecord(const TRecord &record) const
{
    return IsResourceVisible(FieldValue::asBoolean(record.FieldValue(QStringLiteral("Restricted"))),
                             FieldValue::asBoolean(record.FieldValue(QStringLiteral("AllowViewing"))),
                             FieldValue::asInteger(record.FieldValue(QStringLiteral("ResourceID")), -1));
}

void TProgramDataForm::ScheduleTableBeforePost(TTable &table)
{
    stamp(table);
}

void TProgramDataForm::ScheduleTableNewRecord(TTable &table)
{
    stamp(table);
}

void TProgramDataForm::RestrictTableNewRecord(TTable &table)
{
    table.SetFieldValue(QStringLiteral("ResourceID"), RestrictResourceID);
}

bool TProgramDataForm::RestrictTableFilterRecord(const TRecord &record) const
{
    return presentAndEqual(record, "ResourceID", RestrictResourceID);
}
