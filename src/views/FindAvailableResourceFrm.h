#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDateTimePicker;
class TDBLookupComboBox;
class TSpinEdit;

// The criteria of a search for a free resource: its type, the least capacity, the date, the start
// time and the duration. Closes with Accepted on Search when a type is chosen and the end is not
// before the start.
class TFindAvailableResourceForm : public QDialog
{
    Q_OBJECT

public:
    explicit TFindAvailableResourceForm(QWidget *owner = nullptr);

    // The criteria as chosen; the TypeID is -1 when no type is chosen.
    int SearchTypeID() const;
    int SearchCapacity() const;
    double SearchDate() const;
    double SearchStart() const;
    double SearchStop() const;

    QGroupBox *GroupBox1;
    TDBLookupComboBox *ResourceType;
    TSpinEdit *Capacity;
    TDateTimePicker *EventDate;
    TDateTimePicker *StartTime;
    TSpinEdit *Duration;
    TDateTimePicker *StopTime;
    QPushButton *BitBtn1;
    QPushButton *SearchBtn;
    QPushButton *HelpBtn;

public slots:
    void SearchBtnClick();
    // End time := start time + duration, kept within the day.
    void StartTimeChange();
    void DurationChange();

private:
    void FormCreate();
    void createControls();
    void layOut();
};
