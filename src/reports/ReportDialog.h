#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TDataSource;
class TDateTimePicker;
class TDBLookupComboBox;

// What the four report dialogs share: the footer, the choice of list or grid layout, and the
// Preview and Print buttons, which run the chosen report for each resource into one job, every
// resource after the first on a new page. Print asks for the printer first and closes the dialog
// when the job is sent; after a preview the dialog stays open for another choice.
class TReportDialog : public QDialog
{
    Q_OBJECT

public:
    void PreviewBtnClick();
    void PrintBtnClick();
    // Shows a message for each choice that is missing or wrong; true when there is none.
    virtual bool CheckSelection() = 0;

    QLineEdit *Footer;
    QCheckBox *PrintGrid;
    QPushButton *HelpBtn;
    QPushButton *PreviewBtn;
    QPushButton *PrintBtn;
    QPushButton *BitBtn1;

protected:
    TReportDialog(QWidget *owner, const QString &caption, const QString &footerCaption, const QString &gridCaption);

    // Lays the window out: the selection controls under their captions, then the footer, the
    // layout choice and the buttons.
    void LayOut(const QList<QPair<QString, QWidget *>> &selections);
    // A lookup list of a table standing on the table's current row.
    TDBLookupComboBox *NewLookup(TDataSource &source, const QString &keyField, const char *objectName);
    // The footer text and layout choice a newly opened dialog offers.
    void SetDefaults();

    bool CheckChosen(const TDBLookupComboBox &lookup, const QString &message);
    bool CheckDateOrder(const TDateTimePicker &start, const TDateTimePicker &end);

    // The resources to report on, in order.
    virtual QList<int> ResourcesToReport() = 0;
    // Produces one resource's report into the job under way, in the chosen layout.
    virtual void RunReportFor(int resourceID) = 0;

private:
    bool RunReports(int target);
    bool PrinterChosen();

    QString m_footerCaption;
};
