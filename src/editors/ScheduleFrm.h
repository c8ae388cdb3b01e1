#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QToolButton;
class TDateTimePicker;
class TDBEdit;
class TDBLookupComboBox;
class TDBMemo;
class TSpinEdit;

// The booking editor: adds, changes or deletes one booking, working directly on the current record
// of the data module's schedule table. Opened modally for one grid cell; closes with Accepted after
// a Save or Delete and with Rejected otherwise, when every pending change is dropped.
class TScheduleForm : public QDialog
{
    Q_OBJECT

public:
    explicit TScheduleForm(QWidget *owner = nullptr);
    ~TScheduleForm() override;

    // Puts the schedule table on the cell's booking, or starts a new booking for the cell's
    // resource and date at slotStart when the cell holds none (or its booking is gone).
    void OpenForCell(const QString &cell, double slotStart);
    // Shows the booking on which the schedule table stands.
    void LoadBooking();
    // Who may change the booking: its owner, or anyone who may book for others.
    void ApplyOwnerRights();
    // The owner's rights, narrowed further for a restricted resource the user may not book.
    void ApplyRights();
    // End time := start time + duration, kept within the day.
    void UpdateEndTime();

    QGroupBox *GroupBox1;
    TDBLookupComboBox *ResourceLookup;
    QToolButton *InfoBtn;
    TDateTimePicker *EventDatePicker;
    TDateTimePicker *SchStartTime;
    TSpinEdit *Duration;
    TDateTimePicker *SchEndTime;
    TDBLookupComboBox *ReservedByLookup;
    TDBMemo *NotesMemo;
    TDBLookupComboBox *ModifiedByLookup;
    TDBEdit *ModifiedOnEdit;
    QPushButton *SaveBtn;
    QPushButton *DeleteBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void SaveBtnClick();
    void DeleteBtnClick();
    void InfoBtnClick();
    // Every close, whatever its cause, drops what was not saved.
    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    void createControls();
    void layOut();
    void connectHandlers();
    void startNewBooking(double date, double slotStart);
    void showTimes(double date);
    void allowEditing(bool allowed);

    int EditSequence = -1;
    int EditResourceID = -1;
    double StartValue = 0.0;
    double EndValue = 0.0;
};
