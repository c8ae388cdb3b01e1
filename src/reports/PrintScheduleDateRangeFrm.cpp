#include "reports/PrintScheduleDateRangeFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Handlers.h"
#include "reports/Reports.h"

#include <QCheckBox>
#include <QLineEdit>

TPrintScheduleDateRangeForm::TPrintScheduleDateRangeForm(QWidget *owner)
    : TReportDialog(owner, QStringLiteral("Print Schedule Date Range"), QStringLiteral("Footer:"),
                    QStringLiteral("Print In Grid Format")),
      DBLookupComboBox1(NewLookup(ProgramDataForm->ResourceSource, QStringLiteral("ResourceID"), "DBLookupComboBox1")),
      DateTimePicker1(new TDateTimePicker(TDateTimePicker::Kind::Date, this)),
      DateTimePicker2(new TDateTimePicker(TDateTimePicker::Kind::Date, this))
{
    setObjectName(QStringLiteral("PrintScheduleDateRangeForm"));
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    LayOut({{QStringLiteral("Resource To Print:"), DBLookupComboBox1},
            {QStringLiteral("Starting Date:"), DateTimePicker1},
            {QStringLiteral("Ending Date:"), DateTimePicker2}});
    ConnectHandler(DateTimePicker1, &TDateTimePicker::changed, this, &TPrintScheduleDateRangeForm::DateTimePicker1Change);
    FormCreate();
}

void TPrintScheduleDateRangeForm::FormCreate()
{
    DateTimePicker1->SetDateTime(TimeValue::today());
    DateTimePicker2->SetDateTime(TimeValue::today() + SystemSettings.DefaultDays);
    SetDefaults();
}

void TPrintScheduleDateRangeForm::DateTimePicker1Change()
{
    DateTimePicker2->SetDateTime(DateTimePicker1->Date() + SystemSettings.DefaultDays);
}

bool TPrintScheduleDateRangeForm::CheckSelection()
{
    const bool resourceChosen = CheckChosen(*DBLookupComboBox1, QStringLiteral("Error: Please Select A Resource to Print"));
    const bool datesInOrder = CheckDateOrder(*DateTimePicker1, *DateTimePicker2);
    return resourceChosen && datesInOrder;
}

QList<int> TPrintScheduleDateRangeForm::ResourcesToReport()
{
    return {FieldValue::asInteger(DBLookupComboBox1->KeyValue())};
}

void TPrintScheduleDateRangeForm::RunReportFor(int resourceID)
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
