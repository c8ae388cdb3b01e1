#pragma once

#include "reports/TypeReportDialog.h"

// Reports one day's bookings of every resource of a type.
class TResourceByTypeDetailForm : public TTypeReportDialog
{
    Q_OBJECT

public:
    explicit TResourceByTypeDetailForm(QWidget *owner);

    void FormCreate();
    bool CheckSelection() override;

    TDateTimePicker *DateToPrint;

protected:
    void RunReportFor(int resourceID) override;
};
