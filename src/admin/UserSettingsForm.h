#pragma once

#include <QDialog>

class QEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The logged-on user's own account: who they are, with which profile, and a new password.
class TUserForm : public QDialog
{
    Q_OBJECT

public:
    explicit TUserForm(QWidget *owner = nullptr);

    QGroupBox *GroupBox1;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label11;
    QLineEdit *Password;
    QLineEdit *VerifyPassword;
    QPushButton *BitBtn2;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

    void FormActivate();
    void FormClose();

public slots:
    // An empty new password leaves the password as it is.
    void BitBtn2Click();

    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void layOut();
};
