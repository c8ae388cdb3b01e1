#pragma once

// Changes a test makes to a Quorvel database before the program looks at it, written straight
// into the tables.

#include "platform/db/Database.h"
#include "platform/db/FieldValue.h"

#include <QList>

inline void storeSetting(TDatabase &database, const char *field, bool value)
{
    database.exec(QStringLiteral("UPDATE \"Settings\" SET \"%1\" = ?").arg(QLatin1String(field)),
                  {FieldValue::toStorage(database.engine(), FieldKind::Logical, value)});
}

// A password given as a null QVariant is stored as null.
inline void addAccount(TDatabase &database, const QString &userID, const QVariant &password, int profile)
{
    database.exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"UserName\", \"UserPassword\", \"SecurityID\") "
                                 "VALUES (?, ?, ?, ?)"),
                  {userID, QStringLiteral("Name of ") + userID, password, profile});
}

inline void removeAccount(TDatabase &database, const QString &userID)
{
    database.exec(QStringLiteral("DELETE FROM \"User\" WHERE \"UserID\" = ?"), {userID});
}

// The rights in their order: Supervisor, CanChangeSystem, CanAddUser, CanPackDatabase,
// CanViewSecurity, CanAddType, CanAddResource, CanAddSchedule, CanAddOtherSchedule.
inline int addProfile(TDatabase &database, const QString &description, const QList<bool> &rights)
{
    QVariantList values = {description};
    for (int i = 0; i < 9; ++i)
        values << FieldValue::toStorage(database.engine(), FieldKind::Logical, rights.value(i));
    database.exec(QStringLiteral("INSERT INTO \"Security\" (\"Description\", \"Supervisor\", \"CanChangeSystem\", "
                                 "\"CanAddUser\", \"CanPackDatabase\", \"CanViewSecurity\", \"CanAddType\", "
                                 "\"CanAddResource\", \"CanAddSchedule\", \"CanAddOtherSchedule\") "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  values);
    QSqlQuery id = database.exec(QStringLiteral("SELECT MAX(\"SecurityID\") FROM \"Security\""));
    id.next();
    return id.value(0).toInt();
}
