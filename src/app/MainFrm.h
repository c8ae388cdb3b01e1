#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;

// The main window: a menu of every command, each enabled by the logged-on user's rights, and a
// status line. Closing it ends the program.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);

    void FormCreate();
    // Runs each time the window becomes active: applies the rights and hides the resources the
    // user may not see.
    void FormActivate();
    // Enables or disables the commands that need a right, from CurrentSecurity.
    void ApplyRights();

    QMenuBar *MainMenu1;
    QStatusBar *StatusBar1;

    QMenu *File1;
    QAction *PrinterSetup1;
    QAction *N4;
    QAction *UserSettings1;
    QAction *SystemSettings1;
    QAction *UserSetup1;
    QAction *Security1;
    QAction *N6;
    QAction *PackDatabase1;
    QAction *Information1;
    QAction *N2;
    QAction *Exit1;

    QMenu *Edit1;
    QAction *Types1;
    QAction *Resources1;

    QMenu *Schedule1;
    QAction *DisplayByResourceType1;
    QAction *DisplayResourceDetail1;
    QAction *DisplayRangeOfDate1;
    QAction *N10;
    QAction *RangeofDates1;
    QAction *N7;
    QAction *FindAvailableResource1;
    QAction *N9;
    QAction *DisplayAllSchedules1;

    QMenu *Processes1;
    QAction *DeleteOldSchedules1;

    QMenu *Reports1;
    QAction *SingeResourceDetail1;
    QAction *SingleResourceWeek1;
    QAction *N8;
    QAction *ResourceByTypeDetail1;
    QAction *ResourceByTypeWeek1;

    QMenu *Help1;
    QAction *ProdcutHelp1;
    QAction *N1;
    QAction *About1;

public slots:
    void PrinterSetup1Click();
    // Reloads the settings afterwards, whichever button closed the window.
    void SystemSettings1Click();
    void Security1Click();
    void UserSettings1Click();
    void UserSetup1Click();
    // Packs every table after a Yes, asking again while another program holds a table.
    void PackDatabase1Click();
    void Information1Click();
    void Exit1Click();
    void About1Click();
    void Types1Click();
    void Resources1Click();
    void DisplayByResourceType1Click();
    void DisplayResourceDetail1Click();
    void DisplayRangeOfDate1Click();
    void RangeofDates1Click();
    void FindAvailableResource1Click();
    void DisplayAllSchedules1Click();
    void SingeResourceDetail1Click();
    void SingleResourceWeek1Click();
    void ResourceByTypeDetail1Click();
    void ResourceByTypeWeek1Click();
    void DeleteOldSchedules1Click();

protected:
    void changeEvent(QEvent *event) override;

private:
    QMenu *addMenu(const QString &caption, const char *name);
    QAction *addItem(QMenu *menu, const QString &caption, const char *name);
    QAction *addSeparator(QMenu *menu, const char *name);
    void createFileMenu();
    void createEditMenu();
    void createScheduleMenu();
    void createProcessesMenu();
    void createReportsMenu();
    void createHelpMenu();
    void connectCommands();
    QLabel *m_statusText;
};

// The main window of this run.
extern TMainForm *MainForm;
