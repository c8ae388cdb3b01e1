#pragma once

#include <QDialog>

class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TDateTimePicker;
class TDBLookupComboBox;
class TSpinEdit;

// Books one resource for the same times on a list of dates. Every date on which the resource is
// free is booked and leaves the list; the dates that collide stay in it.
class TScheduleRangeForm : public QDialog
{
    Q_OBJECT

public:
    explicit TScheduleRangeForm(QWidget *owner = nullptr);

    // Proposes the current slot, today and the logged-on user.
    void SetRangeDefaults();
    void UpdateRangeButtons();
    // Books the listed dates one after the other, each checked against everything stored so far.
    void BookSelectedDates();
    // End time := start time + duration, kept within the day.
    void UpdateEndTime();

    QGroupBox *GroupBox1;
    TDBLookupComboBox *ResourceLookup;
    QToolButton *InfoBtn;
    TDateTimePicker *SchStartTime;
    TSpinEdit *Duration;
    TDateTimePicker *SchEndTime;
    TDBLookupComboBox *ReservedByLookup;
    QPlainTextEdit *Memo1;
    QGroupBox *GroupBox2;
    QListWidget *ListBox1;
    TDateTimePicker *EventDatePicker;
    QPushButton *AddBtn;
    QPushButton *DeleteBtn;
    QPushButton *ScheduleBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void AddBtnClick();
    void DeleteBtnClick();
    void ScheduleBtnClick();
    void InfoBtnClick();

private:
    void FormCreate();
    void createControls();
    void createDateControls();
    void createButtons();
    void connectHandlers();
    void layOut();
    int selectedResourceID() const;
    bool bookDate(int resourceID, const QString &reservedBy, double date);

    double StartValue = 0.0;
    double EndValue = 0.0;
};
