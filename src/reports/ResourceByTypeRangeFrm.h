#pragma once

#include "reports/TypeReportDialog.h"

// Reports a range of days' bookings of every resource of a type.
class TResourceByTypeRangeForm : public TTypeReportDialog
{
    Q_OBJECT

public:
    explicit TResourceByTypeRangeForm(QWidget *owner);

    void FormCreate();
    bool CheckSelection() override;

    TDateTimePicker *DateTimePicker1;
    TDateTimePicker *DateTimePicker2;

protected:
    void RunReportFor(int resourceID) override;
};
