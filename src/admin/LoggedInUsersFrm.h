#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

// Who works with the database at the moment: one line per connected program, with the account
// that its network user name belongs to. A snapshot taken when the window opens.
class TLoggedInUsersForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLoggedInUsersForm(QWidget *owner = nullptr);

    QPlainTextEdit *UserList;
    QPushButton *BitBtn1;

    void FormCreate();

private:
    QStringList connectedUserLines() const;
    void layOut();
};
