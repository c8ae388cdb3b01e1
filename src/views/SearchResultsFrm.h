#pragma once

#include "schedule/ScheduleGrid.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class TDrawGrid;

// The resources of a type, large enough and visible to the user, that are free for the whole of a
// searched time, side by side with all their bookings of that day. A booking made or deleted from
// here closes the window: the results are not searched again.
class TSearchResultsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSearchResultsForm(QWidget *owner = nullptr);

    // Fills the window; called once, before it is shown.
    void RunSearch(int typeID, int capacity, double date, double start, double end);

    const ScheduleGrid &Schedule() const { return m_grid; }
    double SearchDate() const { return m_searchDate; }

    bool DrawGrid1SelectCell(int col, int row) const;
    void DrawGrid1DblClick(int col, int row);

    QLabel *Label1;
    QGroupBox *GroupBox1;
    TDrawGrid *DrawGrid1;
    QLabel *Label2;
    QPushButton *AddBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void AddBtnClick();

private:
    void createControls();
    void layOut();
    void openEditor(const QString &cell, int row);

    ScheduleGrid m_grid;
    double m_searchDate = 0.0;
};
