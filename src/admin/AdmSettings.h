#pragma once

#include <QDialog>

class QEvent;
class QGroupBox;
class QPushButton;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;

// Keeps the user accounts: user ID, password, name, phone and security profile. A user whose own
// profile is not the master profile sees neither the master profile nor the accounts that have it.
class TSetupUsersForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSetupUsersForm(QWidget *owner = nullptr);

    TDBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    TDBEdit *DBEdit1;
    TDBEdit *DBEdit3;
    TDBEdit *DBEdit2;
    TDBEdit *DBEdit4;
    TDBLookupComboBox *DBLookupComboBox1;
    QPushButton *InsertB;
    QPushButton *SaveB;
    QPushButton *DeleteB;
    QPushButton *LoggedInUsers;
    QPushButton *CloseB;
    QPushButton *HelpBtn;

    void FormActivate();
    void FormClose();

public slots:
    void InsertBClick();
    // A changed user ID is carried into every table that refers to it before the account is written.
    void SaveBClick();
    // The account's bookings stay; its restricted-access rows go with it.
    void DeleteBClick();
    void LoggedInUsersClick();
    // The built-in account keeps its ID and profile and cannot be deleted here.
    void DBEdit1Change();

    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void layOut();
};
