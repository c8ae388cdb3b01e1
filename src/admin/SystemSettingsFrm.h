#pragma once

#include <QDialog>

class QColorDialog;
class QPushButton;
class QTabWidget;
class TColorSample;
class TDateTimePicker;
class TDBCheckBox;
class TDBEdit;
class TSpinEdit;

// Edits the one row of system settings. The boxes bound to the row change it as they are typed
// into; the others are filled from the loaded settings and written into the row on OK. Close drops
// every change, typed or chosen.
class TSystemSettingsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSystemSettingsForm(QWidget *owner = nullptr);

    QTabWidget *PageControl1;
    TDBEdit *DBEdit1;
    TDateTimePicker *StartTime;
    TDateTimePicker *EndTime;
    TColorSample *InUseColor;
    TColorSample *FreeColor;
    TColorSample *NoWorkColor;
    TSpinEdit *DefaultDays;
    TDateTimePicker *PrintStartTime;
    TDateTimePicker *PrintEndTime;
    TColorSample *PrintInUseColor;
    TColorSample *PrintFreeColor;
    TColorSample *PrintNoWorkColor;
    TDBCheckBox *DBCheckBox2;
    TDBCheckBox *DBCheckBox1;
    TSpinEdit *FontSize;
    TDBCheckBox *DBCheckBox3;
    TDBEdit *DBEdit2;
    TDBEdit *DBEdit3;
    TDBEdit *DBEdit4;
    TDBEdit *DBEdit5;
    TDBEdit *DBEdit6;
    QPushButton *BitBtn2;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;
    QColorDialog *ColorDialog1;

public slots:
    // Stores the settings and closes; a slot length the schedules cannot show is refused first.
    void BitBtn2Click();
    void InUseColorMouseDown();
    void FreeColorMouseDown();
    void NoWorkColorMouseDown();
    void PrintInUseColorMouseDown();
    void PrintFreeColorMouseDown();
    void PrintNoWorkColorMouseDown();
    void done(int result) override;

private:
    void createGeneralControls();
    void createReportControls();
    void connectHandlers();
    QWidget *layOutGeneralPage();
    QWidget *layOutReportsPage();
    void layOut();
    void FormCreate();
    void chooseColor(TColorSample &sample);
    bool timeIntervalAcceptable() const;
    void writeSettingsRow();
};
