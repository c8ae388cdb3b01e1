#include "admin/DeleteOldFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowDisplay.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int DaysKept = 60;

} // namespace

TDeleteOldForm::TDeleteOldForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("DeleteOldForm"));
    setWindowTitle(QStringLiteral("Delete Old Schedules"));
    DateTimePicker1 = Named(new TDateTimePicker(TDateTimePicker::Kind::Date, this), "DateTimePicker1");
    DeleteBtn = NewButton(QStringLiteral("&Delete"), "DeleteBtn", this);
    CancelBtn = NewStandardButton(StandardButton::Cancel, "CancelBtn", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TDeleteOldForm::DeleteBtnClick);
    layOut();
    FormCreate();
}

void TDeleteOldForm::layOut()
{
    auto *date = new QHBoxLayout;
    date->addWidget(new QLabel(QStringLiteral("Delete Data Up To:"), this));
    date->addWidget(DateTimePicker1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {DeleteBtn, CancelBtn, HelpBtn})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(date);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TDeleteOldForm::FormCreate()
{
    HelpBtn->setVisible(HelpFilePresent);
    DateTimePicker1->SetDateTime(TimeValue::today() - DaysKept);
}

void TDeleteOldForm::DeleteBtnClick()
{
    if (ShowMessageBox(QStringLiteral("Are You User You Want To Delete Old Schedule?"), MessageIcon::Question,
                       MessageButtons::YesNo, this)
        != MessageResult::Yes)
        return;
    ExecQuery(ProgramDataForm->ScheduleQuery,
              {QStringLiteral("Delete From \"Schedule.db\" Where"), QStringLiteral("ScheduleDate <= :UpTo")},
              {{QStringLiteral("UpTo"), FieldValue::date(DateTimePicker1->Date())}});
    // The bookings table object must not go on showing rows that are gone.
    ProgramDataForm->ScheduleTable.Refresh();
    accept();
}
