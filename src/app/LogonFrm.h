#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The log-on: ties the person at the workstation to one account, silently or through this window.
class TLogonForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLogonForm(QWidget *owner = nullptr);

    // The log-on procedure, run once at start-up. The lone default supervisor enters silently;
    // otherwise, on a network, the network user name is tried; failing that, the window is shown
    // for one attempt. Leaves LoggedOn, CurrentUser, CurrentSecurity and AllowedResources.
    void LogOn(bool networkPresent);

    void FormCreate();
    // The check of the Login button: the typed user name and password.
    void CheckLogin();
    // The automatic check: the network user name, when automatic log-on is switched on.
    void CheckAutoLogin();
    // The network client's user name, or the operating system's when there is none.
    QString GetNovellUser() const;
    QString GetWindowsUser() const;

    QLabel *Label1;
    QLabel *Label2;
    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

    bool LoggedOn = false;

public slots:
    void BitBtn1Click();

private:
    // Users of the master profile may enter while logins are disabled.
    void LetMasterProfileIn();
};

// The log-on window of this run.
extern TLogonForm *LogonForm;
