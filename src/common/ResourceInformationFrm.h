#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDBCheckBox;
class TDBEdit;
class TDBLookupComboBox;
class TDBMemo;

// A read-only pop-up with the details of the resource on which the resource table stands.
class TResourceInformationForm : public QDialog
{
    Q_OBJECT

public:
    explicit TResourceInformationForm(QWidget *owner = nullptr);

    // Puts the resource table on the resource of a schedule grid cell, or on the next one after it
    // in ResourceID order when it is gone. The table stays there after the pop-up closes.
    void LocateCellResource(const QString &cell);

    QGroupBox *GroupBox1;
    TDBEdit *DBEdit1;
    TDBLookupComboBox *DBLookupComboBox1;
    TDBEdit *DBEdit2;
    TDBEdit *DBEdit3;
    TDBEdit *DBEdit4;
    TDBMemo *DBMemo1;
    TDBCheckBox *DBCheckBox1;
    TDBCheckBox *DBCheckBox2;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

private:
    void createControls();
    void layOut();
};
