#include "app/StartUp.h"

#include "app/DisableFrm.h"
#include "app/LogonFrm.h"
#include "app/MainFrm.h"
#include "app/ProductBrand.h"
#include "app/SplashFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/DatabaseLocation.h"
#include "platform/db/EngineVersion.h"
#include "platform/sys/FilesAndClock.h"
#include "platform/sys/NetworkIdentity.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/QuorvelApplication.h"
#include "platform/ui/WindowDisplay.h"

#include <QApplication>
#include <QLocale>

namespace {

constexpr int SplashSteps = 3;
constexpr int DisabledNoticeMilliseconds = 5000;

} // namespace

StartUp::StartUp(const QStringList &arguments)
    : engineVersion([] { return EngineVersion::OfEngine(DatabaseLocation::resolveAlias().engine); }),
      wait(FilesAndClock::WaitMilliseconds),
      networkPresent(NetworkIdentity::NetworkPresent),
      messageLoop([] { return QApplication::exec(); }),
      m_arguments(arguments)
{
}

StartUp::~StartUp()
{
    CloseSplash();
    releaseMainObjects();
}

int StartUp::Run()
{
    try {
        return runSteps();
    } catch (const std::exception &error) {
        // Outside the event loop no general error report catches what the engine throws.
        CloseSplash();
        ReportError(error);
        return finish(StartUpOutcome::Failed);
    }
}

int StartUp::runSteps()
{
    LocateHelpFile();
    SetShortDateFormat();
    if (!CheckEngine())
        return finish(StartUpOutcome::EngineMissing);
    ShowSplash = SplashWanted(m_arguments);
    OpenSplash(SplashSteps);
    InitialiseApplication();
    if (!CreateMainObjects())
        return finish(StartUpOutcome::DatabaseFailed);
    LoadSystemSettings();
    CloseSplash();
    RunLogon();
    if (!LogonForm->LoggedOn) {
        ShowMessageBox(QStringLiteral("Access Denied To Quorvel, Invalid Login"), MessageIcon::Error);
        return finish(StartUpOutcome::AccessDenied);
    }
    if (SystemSettings.DisableLogin) {
        ShowLoginsDisabled();
        return finish(StartUpOutcome::LoginsDisabled);
    }
    return RunMainWindow();
}

int StartUp::finish(StartUpOutcome outcome)
{
    m_outcome = outcome;
    releaseMainObjects();
    return outcome == StartUpOutcome::Ran ? 0 : 1;
}

void StartUp::SetShortDateFormat()
{
    // Dates are written month/day/year everywhere; the locale puts pickers in the same order.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

bool StartUp::CheckEngine()
{
    const std::optional<int> version = engineVersion();
    if (version && *version >= EngineVersion::Required)
        return true;
    ShowMessageBox(QStringLiteral("This Applicaion Requires the Borland Database 5.0 Or Higher To Be Installed"),
                   MessageIcon::Error);
    return false;
}

bool StartUp::SplashWanted(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        const QString capitals = argument.toUpper();
        if (capitals == QLatin1String("-S") || capitals == QLatin1String("/S"))
            return false;
    }
    return true;
}

void StartUp::InitialiseApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(ProductBrand::Name));
    QApplication::setWindowIcon(ProductBrand::Calendar(64));
}

bool StartUp::CreateMainObjects()
{
    m_mainForm = std::make_unique<TMainForm>();
    MainForm = m_mainForm.get();
    AdvanceSplash();

    m_dataModule = std::make_unique<TProgramDataForm>(DatabaseLocation::resolveAlias());
    ProgramDataForm = m_dataModule.get();
    try {
        ProgramDataForm->DataModuleCreate();
        // Other workstations see this one in their logged-in lists, and packing waits for it.
        ProgramDataForm->Sessions.Register(NetworkIdentity::NetworkUserName());
    } catch (const EDatabaseError &error) {
        CloseSplash();
        ShowMessageBox(error.message(), MessageIcon::Error);
        return false;
    }
    AdvanceSplash();

    m_logonForm = std::make_unique<TLogonForm>();
    LogonForm = m_logonForm.get();
    AdvanceSplash();
    return true;
}

void StartUp::RunLogon()
{
    LogonForm->LogOn(networkPresent());
}

void StartUp::ShowLoginsDisabled()
{
    TDisabledForm notice;
    ShowAndPaintNow(notice);
    wait(DisabledNoticeMilliseconds);
    notice.hide();
}

int StartUp::RunMainWindow()
{
    MainForm->show();
    const int exitCode = messageLoop();
    finish(StartUpOutcome::Ran);
    return exitCode;
}

void StartUp::releaseMainObjects()
{
    LogonForm = nullptr;
    m_logonForm.reset();
    MainForm = nullptr;
    m_mainForm.reset();
    ProgramDataForm = nullptr;
    m_dataModule.reset();
}
