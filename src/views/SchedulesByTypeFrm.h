#pragma once

#include "schedule/ScheduleGrid.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDateTimePicker;
class TDBLookupComboBox;
class TDrawGrid;

// Every resource of one type that the user may see, side by side for one date, on the rows of the
// time slots. The booking editor opens from any slot, the resource information from a heading.
class TSchedulesByTypeForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSchedulesByTypeForm(QWidget *owner);

    const ScheduleGrid &Schedule() const { return m_grid; }

    // Loads the bookings of the displayed type's visible resources on the displayed date.
    void BuildScheduleTable();
    // Runs each time the view becomes the active window: fits the grid and scrolls it to now.
    void FormActivate();
    // Focuses the slot at or after the time of day, and scrolls it to the top.
    void ShowTimeOfDay(double time);
    bool DrawGrid1SelectCell(int col, int row) const;
    void DrawGrid1DblClick(int col, int row);

    TDBLookupComboBox *TypeIDDisplay;
    TDateTimePicker *DisplayedDate;
    QGroupBox *GroupBox1;
    TDrawGrid *DrawGrid1;
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
    void showNoResource();
    void openEditor(const QString &cell, int row);

    ScheduleGrid m_grid;
};
