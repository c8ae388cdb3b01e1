#include "reports/ResourceByTypeRangeFrm.h"

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "reports/Reports.h"

#include <QCheckBox>
#include <QLineEdit>

TResourceByTypeRangeForm::TResourceByTypeRangeForm(QWidget *owner)
    : TTypeReportDialog(owner, QStringLiteral("Resource By Type Range"), QStringLiteral("Footer:")),
      DateTimePicker1(new TDateTimePicker(TDateTimePicker::Kind::Date, this)),
      DateTimePicker2(new TDateTimePicker(TDateTimePicker::Kind::Date, this))
{
    setObjectName(QStringLiteral("ResourceByTypeRangeForm"));
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    LayOut({{QStringLiteral("Type to Print:"), TypeToPrint},
            {QStringLiteral("Date To Start Printing:"), DateTimePicker1},
            {QStringLiteral("Date To Stop Printing:"), DateTimePicker2}});
    FormCreate();
}

void TResourceByTypeRangeForm::FormCreate()
{
    DateTimePicker1->SetDateTime(TimeValue::today());
    DateTimePicker2->SetDateTime(TimeValue::today() + SystemSettings.DefaultDays);
    SetDefaults();
}

bool TResourceByTypeRangeForm::CheckSelection()
{
    const bool typeChosen = CheckTypeChosen();
    const bool datesInOrder = CheckDateOrder(*DateTimePicker1, *DateTimePicker2);
    return typeChosen && datesInOrder;
}

void TResourceByTypeRangeForm::RunReportFor(int resourceID)
{
    const double start = DateTimePicker1->Date();
    const double end = DateTimePicker2->Date();
    if (PrintGrid->isChecked()) {
        TDetailListDaysReportGrid report(resourceID, start, end, Footer->text());
        report.Execute();
    } else {
        TDetailListDaysReport report(resourceID, start, end, Footer->text());
        report.Execute();
    }
}
