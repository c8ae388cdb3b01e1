#pragma once

#include <QDialog>

class QLabel;

// The notice shown for a few seconds to a user who may not enter while logins are disabled.
class TDisabledForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDisabledForm(QWidget *owner = nullptr);

    QLabel *Label2;
    QLabel *Label1;
    QLabel *Label3;
};
