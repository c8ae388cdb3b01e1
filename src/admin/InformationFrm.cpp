#include "admin/InformationFrm.h"

#include "data/ProgramDataFrm.h"
#include "platform/db/TableMaintenance.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/WindowDisplay.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ValueCharacters = 16;
const QString Searching = QStringLiteral("Searching");

// A dialog frame without a system menu: no close box either.
constexpr Qt::WindowFlags FrameWithoutSystemMenu = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

} // namespace

TInformationForm::TInformationForm(QWidget *owner) : QDialog(owner, FrameWithoutSystemMenu)
{
    setObjectName(QStringLiteral("InformationForm"));
    setWindowTitle(QStringLiteral("Database Information"));
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Database Information"), this), "GroupBox1");
    TypeNumber = newValue("TypeNumber");
    TypeSize = newValue("TypeSize");
    ResourceNumber = newValue("ResourceNumber");
    ResourceSize = newValue("ResourceSize");
    SchedulesNumber = newValue("SchedulesNumber");
    SchedulesSize = newValue("SchedulesSize");
    OkBtn = NewStandardButton(StandardButton::Ok, "OkBtn", this);
    OkBtn->setDefault(true);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
    layOut();
    FormCreate();
}

QLabel *TInformationForm::newValue(const char *name)
{
    QLabel *value = Named(new QLabel(Searching, this), name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    WidenForCharacters(*value, ValueCharacters);
    return value;
}

void TInformationForm::layOut()
{
    auto *grid = new QGridLayout(GroupBox1);
    const struct
    {
        const char *caption;
        QLabel *number;
        QLabel *size;
    } rows[] = {{"Types", TypeNumber, TypeSize},
                {"Resources:", ResourceNumber, ResourceSize},
                {"Schedules", SchedulesNumber, SchedulesSize}};
    int line = 0;
    for (const auto &row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption), GroupBox1), line, 0);
        grid->addWidget(row.number, line, 1);
        grid->addWidget(row.size, line, 2);
        ++line;
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(HelpBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

void TInformationForm::FormCreate()
{
    HelpBtn->setVisible(HelpFilePresent);
}

void TInformationForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TInformationForm::FormActivate()
{
    repaint();
    TProgramDataForm &data = *ProgramDataForm;
    showTable(data.TypeTable, TypeNumber, TypeSize);
    showTable(data.ResourceTable, ResourceNumber, ResourceSize);
    showTable(data.ScheduleTable, SchedulesNumber, SchedulesSize);
}

void TInformationForm::showTable(TTable &table, QLabel *number, QLabel *size)
{
    number->setText(CountText(table.RecordCount()));
    repaint();
    size->setText(SizeText(TableMaintenance::TableSizeBytes(ProgramDataForm->ScheduleDatabase, table.TableName())));
    repaint();
}

QString TInformationForm::SizeText(qint64 bytes)
{
    return QLocale().toString(qRound64(double(bytes) / 1000.0)) + QStringLiteral(" K Bytes");
}

QString TInformationForm::CountText(int rows)
{
    return QLocale().toString(rows);
}
