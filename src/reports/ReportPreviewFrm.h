#pragma once

#include "reports/ReportPageEngine.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

// The surface a report job draws on and, for a preview, the window that shows its pages
// afterwards: one page at a time, stepped through with Next and Previous. Closing the window
// deletes the job's page files.
class TReportPreviewForm : public QDialog, public TReportPageEngine
{
    Q_OBJECT

public:
    explicit TReportPreviewForm(QWidget *owner);

    void FormShow();
    void NextBtnClick();
    void PreviousBtnClick();
    void FormClose();
    void ShowPage(int page);

    QScrollArea *ScrollBox1;
    QLabel *Image1;
    QWidget *Panel1;
    QPushButton *BitBtn1;
    QPushButton *NextBtn;
    QPushButton *PreviousBtn;

    int ShownPage = 0;

    // Closes through here, whether by the close button, the window's close box or Escape.
    void done(int result) override;

protected:
    void ShowPreview() override;
    void showEvent(QShowEvent *event) override;

private:
    void createPanel();
};

// The surface of the report job under way, or none.
extern TReportPreviewForm *ReportPreviewForm;
