#pragma once

#include "reports/ReportDialog.h"

// Reports one resource's bookings of one day.
class TPrintResourceForm : public TReportDialog
{
    Q_OBJECT

public:
    explicit TPrintResourceForm(QWidget *owner);

    void FormCreate();
    bool CheckSelection() override;

    TDBLookupComboBox *DBLookupComboBox1;
    TDateTimePicker *DateTimePicker1;

protected:
    QList<int> ResourcesToReport() override;
    void RunReportFor(int resourceID) override;
};
