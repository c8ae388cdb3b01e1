#pragma once

#include <QDialog>

class QPushButton;
class TDateTimePicker;

// Deletes every booking dated on or before a chosen day, whatever its resource or user.
class TDeleteOldForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDeleteOldForm(QWidget *owner = nullptr);

    TDateTimePicker *DateTimePicker1;
    QPushButton *DeleteBtn;
    QPushButton *CancelBtn;
    QPushButton *HelpBtn;

    void FormCreate();

public slots:
    void DeleteBtnClick();

private:
    void layOut();
};
