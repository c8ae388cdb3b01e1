#pragma once

#include "platform/db/DataSource.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Sessions.h"
#include "platform/db/Table.h"

#include <QObject>
#include <QStringList>
#include <memory>

// The data module: the one connection to the database "ScheduleDatabase" and, for each of the seven
// tables, its table object, data source and query object. Every window reads and edits the tables
// through these shared objects, so the record rules attached here hold whichever window causes a
// change.
class TProgramDataForm : public QObject
{
    Q_OBJECT

public:
    explicit TProgramDataForm(const DatabaseLocation &location, QObject *parent = nullptr);
    ~TProgramDataForm() override;

    // Connects and opens the seven tables in their fixed order. Throws EDatabaseError with a message
    // that names the database looked for and what failed.
    void DataModuleCreate();

    TDatabase ScheduleDatabase;
    // The programs connected to the database; this one registers once it is logged on to it.
    TSessions Sessions;

    TTable UserSettingsTable;
    TTable SecurityTable;
    TTable SettingsTable;
    TTable TypeTable;
    TTable ResourceTable;
    TTable ScheduleTable;
    TTable RestrictTable;

    TDataSource UserSettingsSource;
    TDataSource SecuritySource;
    TDataSource SettingsSource;
    TDataSource TypeSource;
    TDataSource ResourceSource;
    TDataSource ScheduleSource;
    TDataSource RestrictSource;

    TQuery UserSettingsQuery;
    TQuery SecurityQuery;
    TQuery SettingsQuery;
    TQuery TypeQuery;
    TQuery ResourceQuery;
    TQuery ScheduleQuery;
    TQuery RestrictQuery;

    // The restricted resources the logged-on user is listed for (ResourceIDs as text).
    QStringList AllowedResources;

    // State of the record rules.
    QString OldUserID;          // the UserID of the user record being edited, as it was before
    QString UserFilterID;       // when set, the users filter lets only this user through
    int RestrictResourceID = 0; // the resource whose restricted-users rows are shown and added

    // The record rules. Each before-event runs in the transaction of the post or delete it belongs
    // to, so a cascade and its write are stored together or not at all.
    void UserSettingsTableBeforeEdit(TTable &table);
    void UserSettingsTableBeforePost(TTable &table);
    void UserSettingsTableBeforeDelete(TTable &table);
    bool UserSettingsTableFilterRecord(const TRecord &record) const;
    bool SecurityTableFilterRecord(const TRecord &record) const;
    void TypeTableBeforePost(TTable &table);
    void ResourceTableBeforePost(TTable &table);
    void ResourceTableBeforeDelete(TTable &table);
    void ResourceTableNewRecord(TTable &table);
    bool ResourceTableFilterRecord(const TRecord &record) const;
    void ScheduleTableBeforePost(TTable &table);
    void ScheduleTableNewRecord(TTable &table);
    void RestrictTableNewRecord(TTable &table);
    bool RestrictTableFilterRecord(const TRecord &record) const;

private:
    void defineLookupFields();
    void attachRecordRules();
    void renameUserEverywhere(const QString &oldID, const QString &newID);
    QList<TTable *> tablesInOpeningOrder();
};

// The data module of this run; created at start-up.
extern TProgramDataForm *ProgramDataForm;
