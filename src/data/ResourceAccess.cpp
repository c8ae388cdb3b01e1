#include "data/ResourceAccess.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"

void LoadAllowedResources(const QString &userID)
{
    QStringList &allowed = ProgramDataForm->AllowedResources;
    allowed.clear();
    TQuery &query = ProgramDataForm->RestrictQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Restrict.db\""), QStringLiteral("Where Upper(UserID) = :UserID")},
              {{QStringLiteral("UserID"), userID.toUpper()}});
    for (; !query.Eof(); query.Next()) {
        const QVariant resourceID = query.FieldValue(QStringLiteral("ResourceID"));
        if (!FieldValue::isNull(resourceID))
            allowed << QString::number(FieldValue::asInteger(resourceID));
    }
    CloseQuery(query);
}

bool MayUseRestricted(int resourceID)
{
    return CurrentSecurity.Supervisor || CurrentSecurity.CanAddResource
        || ProgramDataForm->AllowedResources.contains(QString::number(resourceID));
}

bool CanScheduleResource(int resourceID)
{
    TQuery &query = ProgramDataForm->ResourceQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"resource.DB\""), QStringLiteral("Where ResourceID = :ResourceID")},
              {{QStringLiteral("ResourceID"), resourceID}});
    const bool restricted = !query.Eof() && FieldValue::asBoolean(query.FieldValue(QStringLiteral("Restricted")));
    CloseQuery(query);
    return !restricted || MayUseRestricted(resourceID);
}

bool IsResourceVisible(bool restricted, bool allowViewing, int resourceID)
{
    return !(restricted && !allowViewing) || MayUseRestricted(resourceID);
}
