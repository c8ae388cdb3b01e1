#include "views/DisplayAllSchedulesFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/RowCommands.h"
#include "platform/ui/WindowDisplay.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int LinesInView = 20;

} // namespace

TDisplayAllSchedulesForm::TDisplayAllSchedulesForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("DisplayAllSchedulesForm"));
    setWindowTitle(QStringLiteral("Display All Schedules"));
    createControls();
    layOut();
}

void TDisplayAllSchedulesForm::createControls()
{
    DBGrid1 = Named(new TDBGrid(this), "DBGrid1");
    DBGrid1->SetDataSource(&ProgramDataForm->ScheduleSource);
    const QList<QPair<const char *, const char *>> columns = {
        {"Sequence", "Sequence"},         {"ResourceName", "ResourceName"}, {"ScheduleDate", "Schedule Date"},
        {"StartTime", "Start Time"},      {"EndTime", "End Time"},          {"ReservedName", "Reserved By"},
        {"ModifiedName", "Modified By"}, {"ModifiedDate", "Modified Date"}};
    for (const auto &[field, heading] : columns)
        DBGrid1->AddColumn(QString::fromLatin1(field), QString::fromLatin1(heading));
    DBGrid1->SetReadOnly(true);
    DeleteBtn = NewButton(QStringLiteral("Delete"), "DeleteBtn", this);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);

    ConnectHandler(DeleteBtn, &QPushButton::clicked, this, &TDisplayAllSchedulesForm::DeleteBtnClick);
}

void TDisplayAllSchedulesForm::layOut()
{
    SizeGridFor(*DBGrid1, LinesInView);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DeleteBtn);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(HelpBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TDisplayAllSchedulesForm::DeleteBtnClick()
{
    DeleteRowAfterAsking(ProgramDataForm->ScheduleTable,
                         QStringLiteral("Are You User You Want To Delete This Schedule?"), this, MessageIcon::Question);
}
