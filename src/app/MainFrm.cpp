#include "app/MainFrm.h"

#include "admin/AdmSettings.h"
#include "admin/DeleteOldFrm.h"
#include "admin/InformationFrm.h"
#include "admin/ResourceFrm.h"
#include "admin/SecurityFrm.h"
#include "admin/SystemSettingsFrm.h"
#include "admin/TypesFrm.h"
#include "admin/UserSettingsForm.h"
#include "app/AboutFrm.h"
#include "data/Packing.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/db/DatabaseLocation.h"
#include "platform/print/ProgramPrinter.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageFrm.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/WindowDisplay.h"
#include "reports/PrintResourceFrm.h"
#include "reports/PrintScheduleDateRangeFrm.h"
#include "reports/ResourceByTypeDetailFrm.h"
#include "reports/ResourceByTypeRangeFrm.h"
#include "views/DisplayAllSchedulesFrm.h"
#include "views/DisplayScheduleFrm.h"
#include "views/FindAvailableResourceFrm.h"
#include "views/SchedulesByTypeFrm.h"
#include "views/SearchResultsFrm.h"

#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QStatusBar>

TMainForm *MainForm = nullptr;

namespace {

const QSize WindowSize(696, 480);

// The engine alias of this run: when none is configured, the database is looked for in the
// current working directory. A configured alias is left as it is.
void registerAliasIfMissing()
{
    if (qEnvironmentVariableIsEmpty(DatabaseLocation::EnvironmentVariable))
        qputenv(DatabaseLocation::EnvironmentVariable, ".");
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent),
      MainMenu1(menuBar()),
      StatusBar1(statusBar()),
      m_statusText(new QLabel(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quorvel"));
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    // A widget rather than a status message: menu hints would wipe a message away.
    m_statusText->setContentsMargins(4, 0, 4, 0);
    StatusBar1->addWidget(m_statusText, 1);
    StatusBar1->setSizeGripEnabled(false);

    createFileMenu();
    createEditMenu();
    createScheduleMenu();
    createProcessesMenu();
    createReportsMenu();
    createHelpMenu();
    connectCommands();

    resize(WindowSize);
    CentreOnScreen(*this);
    FormCreate();
}

QMenu *TMainForm::addMenu(const QString &caption, const char *name)
{
    QMenu *menu = MainMenu1->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction *TMainForm::addItem(QMenu *menu, const QString &caption, const char *name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction *TMainForm::addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

void TMainForm::createFileMenu()
{
    File1 = addMenu(QStringLiteral("&File"), "File1");
    PrinterSetup1 = addItem(File1, QStringLiteral("&Printer Setup"), "PrinterSetup1");
    N4 = addSeparator(File1, "N4");
    UserSettings1 = addItem(File1, QStringLiteral("&User Settings"), "UserSettings1");
    SystemSettings1 = addItem(File1, QStringLiteral("&System Settings"), "SystemSettings1");
    UserSetup1 = addItem(File1, QStringLiteral("Us&er Setup"), "UserSetup1");
    Security1 = addItem(File1, QStringLiteral("Se&curity"), "Security1");
    N6 = addSeparator(File1, "N6");
    PackDatabase1 = addItem(File1, QStringLiteral("&Pack Database"), "PackDatabase1");
    Information1 = addItem(File1, QStringLiteral("&Information"), "Information1");
    N2 = addSeparator(File1, "N2");
    Exit1 = addItem(File1, QStringLiteral("&Exit"), "Exit1");
}

void TMainForm::createEditMenu()
{
    Edit1 = addMenu(QStringLiteral("&Edit"), "Edit1");
    Types1 = addItem(Edit1, QStringLiteral("&Types"), "Types1");
    Resources1 = addItem(Edit1, QStringLiteral("&Resources"), "Resources1");
}

void TMainForm::createScheduleMenu()
{
    Schedule1 = addMenu(QStringLiteral("&Schedule"), "Schedule1");
    DisplayByResourceType1 = addItem(Schedule1, QStringLiteral("Display By Resource &Type"), "DisplayByResourceType1");
    DisplayResourceDetail1 = addItem(Schedule1, QStringLiteral("Display Resource &Detail"), "DisplayResourceDetail1");
    DisplayRangeOfDate1 = addItem(Schedule1, QStringLiteral("Display &Range Of Date"), "DisplayRangeOfDate1");
    N10 = addSeparator(Schedule1, "N10");
    RangeofDates1 = addItem(Schedule1, QStringLiteral("R&ange of Dates"), "RangeofDates1");
    N7 = addSeparator(Schedule1, "N7");
    FindAvailableResource1 = addItem(Schedule1, QStringLiteral("&Find Available Resource"), "FindAvailableResource1");
    N9 = addSeparator(Schedule1, "N9");
    DisplayAllSchedules1 = addItem(Schedule1, QStringLiteral("&Display All Schedules"), "DisplayAllSchedules1");
}

void TMainForm::createProcessesMenu()
{
    Processes1 = addMenu(QStringLiteral("&Processes"), "Processes1");
    DeleteOldSchedules1 = addItem(Processes1, QStringLiteral("&Delete Old Schedules"), "DeleteOldSchedules1");
}

void TMainForm::createReportsMenu()
{
    Reports1 = addMenu(QStringLiteral("&Reports"), "Reports1");
    SingeResourceDetail1 = addItem(Reports1, QStringLiteral("&Singe Resource Detail"), "SingeResourceDetail1");
    SingleResourceWeek1 = addItem(Reports1, QStringLiteral("Single &Resource Week"), "SingleResourceWeek1");
    N8 = addSeparator(Reports1, "N8");
    ResourceByTypeDetail1 = addItem(Reports1, QStringLiteral("Resource By Type &Detail"), "ResourceByTypeDetail1");
    ResourceByTypeWeek1 = addItem(Reports1, QStringLiteral("Resource By Type &Week"), "ResourceByTypeWeek1");
}

void TMainForm::createHelpMenu()
{
    Help1 = addMenu(QStringLiteral("&Help"), "Help1");
    ProdcutHelp1 = addItem(Help1, QStringLiteral("&Application Help"), "ProdcutHelp1");
    N1 = addSeparator(Help1, "N1");
    About1 = addItem(Help1, QStringLiteral("&About"), "About1");
}

void TMainForm::connectCommands()
{
    ConnectHandler(PrinterSetup1, &QAction::triggered, this, &TMainForm::PrinterSetup1Click);
    ConnectHandler(SystemSettings1, &QAction::triggered, this, &TMainForm::SystemSettings1Click);
    ConnectHandler(Security1, &QAction::triggered, this, &TMainForm::Security1Click);
    ConnectHandler(UserSettings1, &QAction::triggered, this, &TMainForm::UserSettings1Click);
    ConnectHandler(UserSetup1, &QAction::triggered, this, &TMainForm::UserSetup1Click);
    ConnectHandler(PackDatabase1, &QAction::triggered, this, &TMainForm::PackDatabase1Click);
    ConnectHandler(Information1, &QAction::triggered, this, &TMainForm::Information1Click);
    ConnectHandler(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    ConnectHandler(About1, &QAction::triggered, this, &TMainForm::About1Click);
    ConnectHandler(ProdcutHelp1, &QAction::triggered, this, [this] { ShowHelp(this, QStringLiteral("TMainForm")); });
    ConnectHandler(Types1, &QAction::triggered, this, &TMainForm::Types1Click);
    ConnectHandler(Resources1, &QAction::triggered, this, &TMainForm::Resources1Click);
    ConnectHandler(DisplayByResourceType1, &QAction::triggered, this, &TMainForm::DisplayByResourceType1Click);
    ConnectHandler(DisplayResourceDetail1, &QAction::triggered, this, &TMainForm::DisplayResourceDetail1Click);
    ConnectHandler(DisplayRangeOfDate1, &QAction::triggered, this, &TMainForm::DisplayRangeOfDate1Click);
    ConnectHandler(RangeofDates1, &QAction::triggered, this, &TMainForm::RangeofDates1Click);
    ConnectHandler(FindAvailableResource1, &QAction::triggered, this, &TMainForm::FindAvailableResource1Click);
    ConnectHandler(DisplayAllSchedules1, &QAction::triggered, this, &TMainForm::DisplayAllSchedules1Click);
    ConnectHandler(SingeResourceDetail1, &QAction::triggered, this, &TMainForm::SingeResourceDetail1Click);
    ConnectHandler(SingleResourceWeek1, &QAction::triggered, this, &TMainForm::SingleResourceWeek1Click);
    ConnectHandler(ResourceByTypeDetail1, &QAction::triggered, this, &TMainForm::ResourceByTypeDetail1Click);
    ConnectHandler(ResourceByTypeWeek1, &QAction::triggered, this, &TMainForm::ResourceByTypeWeek1Click);
    ConnectHandler(DeleteOldSchedules1, &QAction::triggered, this, &TMainForm::DeleteOldSchedules1Click);
}

void TMainForm::FormCreate()
{
    m_statusText->setText(QStringLiteral("Quorvel: booking rooms, vehicles and equipment"));
    registerAliasIfMissing();
    ProdcutHelp1->setEnabled(HelpFilePresent);
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunHandler([this] { FormActivate(); });
}

void TMainForm::FormActivate()
{
    ApplyRights();
    TTable &resources = ProgramDataForm->ResourceTable;
    // Switching an active filter on again would move the shared current row back to the first.
    if (!resources.Filtered())
        resources.SetFiltered(true);
}

void TMainForm::ApplyRights()
{
    const TSecurityData &rights = CurrentSecurity;
    SystemSettings1->setEnabled(rights.CanChangeSystem);
    UserSetup1->setEnabled(rights.CanAddUser);
    Security1->setEnabled(rights.CanViewSecurity || rights.Supervisor);
    PackDatabase1->setEnabled(rights.CanPackDatabase);
    Types1->setEnabled(rights.CanAddType);
    Resources1->setEnabled(rights.CanAddResource);
    Processes1->setEnabled(rights.CanChangeSystem);
    Processes1->menuAction()->setEnabled(rights.CanChangeSystem);
    DisplayAllSchedules1->setEnabled(rights.CanChangeSystem);
    RangeofDates1->setEnabled(rights.CanAddSchedule);
}

void TMainForm::PrinterSetup1Click()
{
    QPageSetupDialog PrinterSetupDialog1(&ProgramPrinter(), this);
    PrinterSetupDialog1.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    RunModal(PrinterSetupDialog1);
}

void TMainForm::SystemSettings1Click()
{
    {
        TSystemSettingsForm SystemSettingsForm(this);
        RunModal(SystemSettingsForm);
    }
    LoadSystemSettings();
}

void TMainForm::Security1Click()
{
    TSecurityForm SecurityForm(this);
    RunModal(SecurityForm);
}

void TMainForm::UserSettings1Click()
{
    TUserForm UserForm(this);
    RunModal(UserForm);
}

void TMainForm::UserSetup1Click()
{
    TSetupUsersForm SetupUsersForm(this);
    RunModal(SetupUsersForm);
}

void TMainForm::PackDatabase1Click()
{
    if (ShowMessageBox(QStringLiteral("Are you sure you want to Pack The Database?"), MessageIcon::Stop,
                       MessageButtons::YesNo, this)
        != MessageResult::Yes)
        return;
    TProgressNotice notice(this);
    PackAllTables({[&notice](const QString &message) { notice.SetMessage(message); },
                   [this] {
                       return ShowTitledMessageBox(QStringLiteral("Open Error"),
                                                   QStringLiteral("Could not open Table1 exclusively - Try again?"),
                                                   MessageIcon::Stop, MessageButtons::OkCancel, this)
                              == MessageResult::Ok;
                   }});
}

void TMainForm::Information1Click()
{
    TInformationForm InformationForm(this);
    RunModal(InformationForm);
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::About1Click()
{
    TAboutBox AboutBox(this);
    RunModal(AboutBox);
}

void TMainForm::Types1Click()
{
    TTypesForm TypesForm(this);
    RunModal(TypesForm);
}

void TMainForm::Resources1Click()
{
    TResourceForm ResourceForm(this);
    RunModal(ResourceForm);
}

void TMainForm::DisplayByResourceType1Click()
{
    TSchedulesByTypeForm SchedulesByTypeForm(this);
    RunModal(SchedulesByTypeForm);
}

void TMainForm::DisplayResourceDetail1Click()
{
    TDisplaySchedulesForm DisplaySchedulesForm(this, true);
    RunModal(DisplaySchedulesForm);
}

void TMainForm::DisplayRangeOfDate1Click()
{
    TDisplaySchedulesForm DisplaySchedulesForm(this, false);
    RunModal(DisplaySchedulesForm);
}

void TMainForm::RangeofDates1Click()
{
    TScheduleRangeForm ScheduleRangeForm(this);
    RunModal(ScheduleRangeForm);
}

void TMainForm::FindAvailableResource1Click()
{
    TFindAvailableResourceForm FindAvailableResourceForm(this);
    if (RunModal(FindAvailableResourceForm) != QDialog::Accepted)
        return;
    TSearchResultsForm SearchResultsForm(this);
    SearchResultsForm.RunSearch(FindAvailableResourceForm.SearchTypeID(), FindAvailableResourceForm.SearchCapacity(),
                                FindAvailableResourceForm.SearchDate(), FindAvailableResourceForm.SearchStart(),
                                FindAvailableResourceForm.SearchStop());
    RunModal(SearchResultsForm);
}

void TMainForm::DisplayAllSchedules1Click()
{
    TDisplayAllSchedulesForm DisplayAllSchedulesForm(this);
    RunModal(DisplayAllSchedulesForm);
}

void TMainForm::SingeResourceDetail1Click()
{
    TPrintResourceForm PrintResourceForm(this);
    RunModal(PrintResourceForm);
}

void TMainForm::SingleResourceWeek1Click()
{
    TPrintScheduleDateRangeForm PrintScheduleDateRangeForm(this);
    RunModal(PrintScheduleDateRangeForm);
}

void TMainForm::ResourceByTypeDetail1Click()
{
    TResourceByTypeDetailForm ResourceByTypeDetailForm(this);
    RunModal(ResourceByTypeDetailForm);
}

void TMainForm::ResourceByTypeWeek1Click()
{
    TResourceByTypeRangeForm ResourceByTypeRangeForm(this);
    RunModal(ResourceByTypeRangeForm);
}

void TMainForm::DeleteOldSchedules1Click()
{
    TDeleteOldForm DeleteOldForm(this);
    RunModal(DeleteOldForm);
}
