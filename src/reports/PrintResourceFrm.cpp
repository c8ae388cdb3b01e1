#include "reports/PrintResourceFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "reports/Reports.h"

#include <QCheckBox>
#include <QLineEdit>

TPrintResourceForm::TPrintResourceForm(QWidget *owner)
    : TReportDialog(owner, QStringLiteral("Print Resource Schedule"), QStringLiteral("Footer:"),
                    QStringLiteral("Print In Grid Format")),
      DBLookupComboBox1(NewLookup(ProgramDataForm->ResourceSource, QStringLiteral("ResourceID"), "DBLookupComboBox1")),
      DateTimePicker1(new TDateTimePicker(TDateTimePicker::Kind::Date, this))
{
    setObjectName(QStringLiteral("PrintResourceForm"));
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    LayOut({{QStringLiteral("Resource to Print:"), DBLookupComboBox1},
            {QStringLiteral("Date To Print:"), DateTimePicker1}});
    FormCreate();
}

void TPrintResourceForm::FormCreate()
{
    DateTimePicker1->SetDateTime(TimeValue::today());
    SetDefaults();
}

bool TPrintResourceForm::CheckSelection()
{
    return CheckChosen(*DBLookupComboBox1, QStringLiteral("Error: Please Select A Resource to Print"));
}

QList<int> TPrintResourceForm::ResourcesToReport()
{
    return {FieldValue::asInteger(DBLookupComboBox1->KeyValue())};
}

void TPrintResourceForm::RunReportFor(int resourceID)
{
    if (PrintGrid->isChecked()) {
        TDetailSingleReportGrid report(resourceID, DateTimePicker1->Date(), Footer->text());
        report.Execute();
    } else {
        TDetailSingleReport report(resourceID, DateTimePicker1->Date(), Footer->text());
        report.Execute();
    }
}
