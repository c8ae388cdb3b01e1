#include "admin/SystemSettingsFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/sys/PlatformColors.h"
#include "platform/ui/ColorSample.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/SpinEdit.h"
#include "platform/ui/WindowDisplay.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int FooterCharacters = 50;
constexpr int NumberCharacters = 8;
constexpr int MinDays = 1;
constexpr int MaxDays = 31;
constexpr int MinFontSize = 6;
constexpr int MaxFontSize = 100;

TTable &settingsRow()
{
    return ProgramDataForm->SettingsTable;
}

TColorSample *newSample(const char *name, QWidget *parent)
{
    auto *sample = Named(new TColorSample(parent), name);
    sample->setCursor(Qt::PointingHandCursor);
    return sample;
}

TDateTimePicker *newTimePicker(const char *name, QWidget *parent)
{
    return Named(new TDateTimePicker(TDateTimePicker::Kind::Time, parent), name);
}

TSpinEdit *newSpinEdit(const char *name, int minimum, int maximum, QWidget *parent)
{
    auto *spinEdit = Named(new TSpinEdit(parent), name);
    spinEdit->SetMinValue(minimum);
    spinEdit->SetMaxValue(maximum);
    return spinEdit;
}

// A typed value is taken into the range when the box loses the focus; OK pressed with Enter does
// not take the focus away, so the value is settled here too.
int settledValue(TSpinEdit &spinEdit)
{
    spinEdit.SetValue(spinEdit.Value());
    return spinEdit.Value();
}

} // namespace

TSystemSettingsForm::TSystemSettingsForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("SystemSettingsForm"));
    setWindowTitle(QStringLiteral("System Settings"));
    createGeneralControls();
    createReportControls();
    BitBtn2 = NewButton(QStringLiteral("OK"), "BitBtn2", this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2->setDefault(true);
    BitBtn1 = NewStandardButton(StandardButton::Close, "BitBtn1", this);
    HelpBtn = NewStandardButton(StandardButton::Help, "HelpBtn", this);
    ColorDialog1 = Named(new QColorDialog(this), "ColorDialog1");
    connectHandlers();
    layOut();
    FormCreate();
}

void TSystemSettingsForm::createGeneralControls()
{
    TDataSource *row = &ProgramDataForm->SettingsSource;
    DBEdit1 = NewBound<TDBEdit>("DBEdit1", row, "TimeInterval", this);
    WidenForCharacters(*DBEdit1, NumberCharacters);
    StartTime = newTimePicker("StartTime", this);
    EndTime = newTimePicker("EndTime", this);
    InUseColor = newSample("InUseColor", this);
    FreeColor = newSample("FreeColor", this);
    NoWorkColor = newSample("NoWorkColor", this);
    DefaultDays = newSpinEdit("DefaultDays", MinDays, MaxDays, this);
    PrintStartTime = newTimePicker("PrintStartTime", this);
    PrintEndTime = newTimePicker("PrintEndTime", this);
    PrintInUseColor = newSample("PrintInUseColor", this);
    PrintFreeColor = newSample("PrintFreeColor", this);
    PrintNoWorkColor = newSample("PrintNoWorkColor", this);
    DBCheckBox2 = NewBoundCheckBox(QStringLiteral("Auto Login"), "DBCheckBox2", row, "AutoLogon", this);
    DBCheckBox1 = NewBoundCheckBox(QStringLiteral("Disable Login"), "DBCheckBox1", row, "DisableLogin", this);
}

void TSystemSettingsForm::createReportControls()
{
    TDataSource *row = &ProgramDataForm->SettingsSource;
    FontSize = newSpinEdit("FontSize", MinFontSize, MaxFontSize, this);
    DBCheckBox3 = NewBoundCheckBox(QStringLiteral("Print Landscape"), "DBCheckBox3", row, "Landscape", this);
    DBEdit2 = NewBound<TDBEdit>("DBEdit2", row, "DefaultFooter", this);
    WidenForCharacters(*DBEdit2, FooterCharacters);
    DBEdit3 = NewBound<TDBEdit>("DBEdit3", row, "ScheduleDots", this);
    DBEdit4 = NewBound<TDBEdit>("DBEdit4", row, "ScheduleEndTime", this);
    DBEdit5 = NewBound<TDBEdit>("DBEdit5", row, "ScheduleReservedBy", this);
    DBEdit6 = NewBound<TDBEdit>("DBEdit6", row, "ScheduleNotes", this);
    for (TDBEdit *location : {DBEdit3, DBEdit4, DBEdit5, DBEdit6})
        WidenForCharacters(*location, NumberCharacters);
}

void TSystemSettingsForm::connectHandlers()
{
    ConnectHandler(BitBtn2, &QPushButton::clicked, this, &TSystemSettingsForm::BitBtn2Click);
    ConnectHandler(InUseColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::InUseColorMouseDown);
    ConnectHandler(FreeColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::FreeColorMouseDown);
    ConnectHandler(NoWorkColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::NoWorkColorMouseDown);
    ConnectHandler(PrintInUseColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::PrintInUseColorMouseDown);
    ConnectHandler(PrintFreeColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::PrintFreeColorMouseDown);
    ConnectHandler(PrintNoWorkColor, &TColorSample::mouseDown, this, &TSystemSettingsForm::PrintNoWorkColorMouseDown);
}

QWidget *TSystemSettingsForm::layOutGeneralPage()
{
    auto *page = new QWidget;
    // Each column is a piece of its own, so that Tab goes down one column before the other.
    auto *screenColumn = new QWidget;
    auto *screen = new QFormLayout(screenColumn);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->addRow(QStringLiteral("Time Interval:"), DBEdit1);
    screen->addRow(QStringLiteral("Work Hours Start:"), StartTime);
    screen->addRow(QStringLiteral("Work Hours End:"), EndTime);
    screen->addRow(QStringLiteral("In Use Color"), InUseColor);
    screen->addRow(QStringLiteral("Free Color"), FreeColor);
    screen->addRow(QStringLiteral("Non Work Hour Color:"), NoWorkColor);
    screen->addRow(QStringLiteral("Days to Display"), DefaultDays);

    auto *printColumn = new QWidget;
    auto *print = new QFormLayout(printColumn);
    print->setContentsMargins(0, 0, 0, 0);
    print->addRow(QStringLiteral("Print Start Time"), PrintStartTime);
    print->addRow(QStringLiteral("Print End Time"), PrintEndTime);
    print->addRow(QStringLiteral("Print In Use Color"), PrintInUseColor);
    print->addRow(QStringLiteral("Print Free Color"), PrintFreeColor);
    print->addRow(QStringLiteral("Print Non Work Color"), PrintNoWorkColor);

    auto *columns = new QHBoxLayout;
    columns->addWidget(screenColumn);
    columns->addSpacing(2 * fontMetrics().height());
    columns->addWidget(printColumn, 0, Qt::AlignTop);

    auto *logon = new QHBoxLayout;
    logon->addWidget(DBCheckBox2);
    logon->addWidget(DBCheckBox1);
    logon->addStretch();

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addLayout(logon);
    layout->addStretch();
    return page;
}

QWidget *TSystemSettingsForm::layOutReportsPage()
{
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->addRow(QStringLiteral("Font Size:"), FontSize);
    layout->addRow(QString(), DBCheckBox3);
    layout->addRow(QStringLiteral("Default Footer:"), DBEdit2);
    layout->addRow(QStringLiteral("Schedule Dots Location:"), DBEdit3);
    layout->addRow(QStringLiteral("Schedule End Time Location::"), DBEdit4);
    layout->addRow(QStringLiteral("Schedule Reserved By Location:"), DBEdit5);
    layout->addRow(QStringLiteral("Schedule Notes Location:"), DBEdit6);
    return page;
}

void TSystemSettingsForm::layOut()
{
    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    PageControl1->addTab(layOutGeneralPage(), QStringLiteral("General Settings"));
    PageControl1->addTab(layOutReportsPage(), QStringLiteral("Reports"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {BitBtn2, BitBtn1, HelpBtn})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
    // The pages join the tab order when they are added, after the buttons; opening on the page
    // strip makes Tab go from the strip down the page to the buttons and round again.
    PageControl1->setFocus();
}

void TSystemSettingsForm::FormCreate()
{
    const TSystemInfo &settings = SystemSettings;
    StartTime->SetDateTime(settings.WorkHoursStart);
    EndTime->SetDateTime(settings.WorkHoursEnd);
    InUseColor->SetColor(settings.InUseColor);
    FreeColor->SetColor(settings.FreeColor);
    NoWorkColor->SetColor(settings.NoWorkColor);
    DefaultDays->SetValue(settings.DefaultDays);
    PrintStartTime->SetDateTime(settings.PrintStartTime);
    PrintEndTime->SetDateTime(settings.PrintEndTime);
    PrintInUseColor->SetColor(settings.PrintInUseColor);
    PrintFreeColor->SetColor(settings.PrintFreeColor);
    PrintNoWorkColor->SetColor(settings.PrintNoWorkColor);
    FontSize->SetValue(settings.DefaultFontSize);
}

void TSystemSettingsForm::chooseColor(TColorSample &sample)
{
    ColorDialog1->setCurrentColor(PlatformColor(sample.Color()));
    if (RunModal(*ColorDialog1) == QDialog::Accepted)
        sample.SetColor(PlatformColorOf(ColorDialog1->currentColor()));
}

void TSystemSettingsForm::InUseColorMouseDown()
{
    chooseColor(*InUseColor);
}

void TSystemSettingsForm::FreeColorMouseDown()
{
    chooseColor(*FreeColor);
}

void TSystemSettingsForm::NoWorkColorMouseDown()
{
    chooseColor(*NoWorkColor);
}

void TSystemSettingsForm::PrintInUseColorMouseDown()
{
    chooseColor(*PrintInUseColor);
}

void TSystemSettingsForm::PrintFreeColorMouseDown()
{
    chooseColor(*PrintFreeColor);
}

void TSystemSettingsForm::PrintNoWorkColorMouseDown()
{
    chooseColor(*PrintNoWorkColor);
}

// The schedule grids have one row per slot of the day, so a slot must be between a minute and a
// day long. An empty box leaves the field empty, which the program reads as the standard hour.
bool TSystemSettingsForm::timeIntervalAcceptable() const
{
    const QString text = DBEdit1->text().trimmed();
    if (text.isEmpty())
        return true;
    bool isNumber = false;
    const int minutes = text.toInt(&isNumber);
    return isNumber && minutes >= MinTimeInterval && minutes <= MaxTimeInterval;
}

void TSystemSettingsForm::BitBtn2Click()
{
    if (!timeIntervalAcceptable()) {
        ShowMessageBox(QStringLiteral("Error: The Time Interval Must Be A Whole Number Of Minutes From %1 To %2")
                           .arg(MinTimeInterval)
                           .arg(MaxTimeInterval),
                       MessageIcon::Error, MessageButtons::Ok, this);
        DBEdit1->setFocus();
        return;
    }
    writeSettingsRow();
    accept();
}

void TSystemSettingsForm::writeSettingsRow()
{
    TTable &row = settingsRow();
    row.Edit();
    row.SetFieldValue(QStringLiteral("WorkHoursStart"), StartTime->Time());
    row.SetFieldValue(QStringLiteral("WorkHoursEnd"), EndTime->Time());
    row.SetFieldValue(QStringLiteral("InUseColor"), InUseColor->Color());
    row.SetFieldValue(QStringLiteral("FreeColor"), FreeColor->Color());
    row.SetFieldValue(QStringLiteral("NoWorkColor"), NoWorkColor->Color());
    row.SetFieldValue(QStringLiteral("DefaultDays"), settledValue(*DefaultDays));
    row.SetFieldValue(QStringLiteral("PrintStartTime"), PrintStartTime->Time());
    row.SetFieldValue(QStringLiteral("PrintEndTime"), PrintEndTime->Time());
    row.SetFieldValue(QStringLiteral("PrintInUseColor"), PrintInUseColor->Color());
    row.SetFieldValue(QStringLiteral("PrintFreeColor"), PrintFreeColor->Color());
    row.SetFieldValue(QStringLiteral("PrintNoWorkColor"), PrintNoWorkColor->Color());
    row.SetFieldValue(QStringLiteral("DefaultFontSize"), settledValue(*FontSize));
    row.Post();
}

// Whatever was typed into the bound boxes and not stored with OK is dropped, so that the settings
// reloaded after the window closes are the stored ones.
void TSystemSettingsForm::done(int result)
{
    if (ProgramDataForm && settingsRow().Active())
        settingsRow().Cancel();
    QDialog::done(result);
}
