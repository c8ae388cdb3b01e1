#pragma once

#include <QDialog>

class QEvent;
class QGroupBox;
class QLabel;
class QPushButton;
class TTable;

// How many types, resources and bookings there are and how much space each table takes.
class TInformationForm : public QDialog
{
    Q_OBJECT

public:
    explicit TInformationForm(QWidget *owner = nullptr);

    QGroupBox *GroupBox1;
    QLabel *TypeNumber;
    QLabel *TypeSize;
    QLabel *ResourceNumber;
    QLabel *ResourceSize;
    QLabel *SchedulesNumber;
    QLabel *SchedulesSize;
    QPushButton *OkBtn;
    QPushButton *HelpBtn;

    void FormCreate();
    // Counts and measures afresh each time the window becomes active.
    void FormActivate();

    // "1,235 K Bytes" for 1,234,567 bytes: thousands of bytes, rounded.
    static QString SizeText(qint64 bytes);
    static QString CountText(int rows);

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *newValue(const char *name);
    void layOut();
    void showTable(TTable &table, QLabel *number, QLabel *size);
};
