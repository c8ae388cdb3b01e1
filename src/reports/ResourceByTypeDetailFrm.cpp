#include "reports/ResourceByTypeDetailFrm.h"

#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "reports/Reports.h"

#include <QCheckBox>
#include <QLineEdit>

TResourceByTypeDetailForm::TResourceByTypeDetailForm(QWidget *owner)
    : TTypeReportDialog(owner, QStringLiteral("Resource By Type Detail"), QStringLiteral("Footer")),
      DateToPrint(new TDateTimePicker(TDateTimePicker::Kind::Date, this))
{
    setObjectName(QStringLiteral("ResourceByTypeDetailForm"));
    DateToPrint->setObjectName(QStringLiteral("DateToPrint"));
    LayOut({{QStringLiteral("Select Type To Print:"), TypeToPrint}, {QStringLiteral("Select Date To Print:"), DateToPrint}});
    FormCreate();
}

void TResourceByTypeDetailForm::FormCreate()
{
    DateToPrint->SetDateTime(TimeValue::today());
    SetDefaults();
}

bool TResourceByTypeDetailForm::CheckSelection()
{
    return CheckTypeChosen();
}

void TResourceByTypeDetailForm::RunReportFor(int resourceID)
{
    if (PrintGrid->isChecked()) {
        TDetailSingleReportGrid report(resourceID, DateToPrint->Date(), Footer->text());
        report.Execute();
    } else {
        TDetailSingleReport report(resourceID, DateToPrint->Date(), Footer->text());
        report.Execute();
    }
}
