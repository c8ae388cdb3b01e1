#pragma once

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class TLogonForm;
class TMainForm;
class TProgramDataForm;

// How a start-up ended.
enum class StartUpOutcome {
    NotRun,
    Ran,              // the main window ran until it was closed
    EngineMissing,    // the storage engine is missing or too old
    DatabaseFailed,   // the database or one of its tables could not be opened
    AccessDenied,     // no account was accepted
    LoginsDisabled,   // logins are disabled for the user who logged on
    Failed,           // an engine error broke off the start-up
};

// The program from its start to its end: checks the prerequisites, creates the main objects
// behind a splash, loads the settings, logs the user on and runs the main window. Each step is a
// function of its own, and the platform services it depends on can be replaced for tests.
class StartUp
{
public:
    explicit StartUp(const QStringList &arguments);
    ~StartUp();
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    // Replaceable services.
    std::function<std::optional<int>()> engineVersion;
    std::function<void(int milliseconds)> wait;
    std::function<bool()> networkPresent;
    std::function<int()> messageLoop;

    // Runs every step in order; returns the process's exit code (0 after a normal run, 1 when the
    // program ended before its main window ran).
    int Run();
    StartUpOutcome Outcome() const { return m_outcome; }

    // The steps.
    static void SetShortDateFormat();
    // Shows the engine message and answers false when the engine is missing or too old.
    bool CheckEngine();
    // Whether the command line leaves the splash on (no "-S" or "/S" in any letter case).
    static bool SplashWanted(const QStringList &arguments);
    static void InitialiseApplication();
    // Creates the main window, the data module and the log-on window, advancing the splash after
    // each. Answers false, after showing why, when the data module cannot open the database.
    bool CreateMainObjects();
    void RunLogon();
    void ShowLoginsDisabled();
    int RunMainWindow();

private:
    int finish(StartUpOutcome outcome);
    int runSteps();
    void releaseMainObjects();

    QStringList m_arguments;
    StartUpOutcome m_outcome = StartUpOutcome::NotRun;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TProgramDataForm> m_dataModule;
    std::unique_ptr<TLogonForm> m_logonForm;
};
