#pragma once

#include "schedule/ScheduleGrid.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDateTimePicker;
class TDBEdit;
class TDBLookupComboBox;
class TDBMemo;
class TDrawGrid;

// One resource's bookings as a coloured grid of time slots: in detail mode one day with the
// bookings' notes beside them, otherwise DefaultDays days side by side. The booking editor opens
// from any slot.
class TDisplaySchedulesForm : public QDialog
{
    Q_OBJECT

public:
    // The mode is fixed for the life of the view; the grid is built at once in it.
    TDisplaySchedulesForm(QWidget *owner, bool detailMode);

    bool DetailMode() const { return m_detailMode; }
    const ScheduleGrid &Schedule() const { return m_grid; }

    // Loads the displayed resource's bookings from the displayed date on.
    void BuildScheduleTable();
    // Runs each time the view becomes the active window: fits the grid and scrolls it to now.
    void FormActivate();
    // Focuses the slot at or after the time of day, and scrolls it to the top.
    void ShowTimeOfDay(double time);
    bool DrawGrid1SelectCell(int col, int row) const;
    void DrawGrid1DblClick(int col, int row);

    TDBLookupComboBox *DisplayedResource;
    TDateTimePicker *DisplayedDate;
    QGroupBox *GroupBox1;
    TDrawGrid *DrawGrid1;
    QGroupBox *GroupBox2;
    TDBLookupComboBox *ResourceType;
    TDBEdit *ResourceCapacity;
    TDBMemo *ResourceNotes;
    QPushButton *AddBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void AddBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void createControls();
    void layOut();
    void DisplayedDateChange();
    void showDisplayedResource();
    void openEditor(const QString &cell, int row);
    int dayCount() const;
    int columnCount() const;

    const bool m_detailMode;
    ScheduleGrid m_grid;
};
