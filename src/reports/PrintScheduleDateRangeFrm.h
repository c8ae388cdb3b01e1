#pragma once

#include "reports/ReportDialog.h"

// Reports one resource's bookings over a range of days; the end date follows the start date at
// the default number of days.
class TPrintScheduleDateRangeForm : public TReportDialog
{
    Q_OBJECT

public:
    explicit TPrintScheduleDateRangeForm(QWidget *owner);

    void FormCreate();
    void DateTimePicker1Change();
    bool CheckSelection() override;

    TDBLookupComboBox *DBLookupComboBox1;
    TDateTimePicker *DateTimePicker1;
    TDateTimePicker *DateTimePicker2;

protected:
    QList<int> ResourcesToReport() override;
    void RunReportFor(int resourceID) override;
};
