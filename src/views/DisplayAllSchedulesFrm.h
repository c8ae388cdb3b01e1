#pragma once

#include <QDialog>

class QPushButton;
class TDBGrid;

// Every booking of every resource and date, as rows of the bookings table in booking-number order,
// with the names of resources and users looked up; the selected booking can be deleted.
class TDisplayAllSchedulesForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDisplayAllSchedulesForm(QWidget *owner = nullptr);

    TDBGrid *DBGrid1;
    QPushButton *DeleteBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void DeleteBtnClick();

private:
    void createControls();
    void layOut();
};
