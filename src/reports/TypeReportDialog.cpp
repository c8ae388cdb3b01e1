#include "reports/TypeReportDialog.h"

#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/MessageFrm.h"

TTypeReportDialog::TTypeReportDialog(QWidget *owner, const QString &caption, const QString &footerCaption)
    : TReportDialog(owner, caption, footerCaption, QStringLiteral("Print Grid Format")),
      TypeToPrint(NewLookup(ProgramDataForm->TypeSource, QStringLiteral("TypeID"), "TypeToPrint"))
{
}

bool TTypeReportDialog::CheckTypeChosen()
{
    return CheckChosen(*TypeToPrint, QStringLiteral("Error: Please Select A Type to Print"));
}

void TTypeReportDialog::BuildResourceList()
{
    ReportResources.clear();
    TProgressNotice notice(this, QStringLiteral("Please Wait Building Schedule Table"));
    TQuery &query = ProgramDataForm->ResourceQuery;
    OpenQuery(query,
              {QStringLiteral("Select * From \"Resource.Db\""), QStringLiteral("Where TypeID = :TypeID"),
               QStringLiteral("Order By ResourceID")},
              {{QStringLiteral("TypeID"), FieldValue::asInteger(TypeToPrint->KeyValue())}});
    for (; !query.Eof(); query.Next()) {
        const int resourceID = FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID")));
        if (IsResourceVisible(FieldValue::asBoolean(query.FieldValue(QStringLiteral("Restricted"))),
                              FieldValue::asBoolean(query.FieldValue(QStringLiteral("AllowViewing"))), resourceID))
            ReportResources << QString::number(resourceID);
    }
    CloseQuery(query);
}

QList<int> TTypeReportDialog::ResourcesToReport()
{
    BuildResourceList();
    QList<int> resources;
    for (const QString &id : std::as_const(ReportResources))
        resources << id.toInt();
    return resources;
}
