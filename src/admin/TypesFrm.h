#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;

// Keeps the list of resource types.
class TTypesForm : public QDialog
{
    Q_OBJECT

public:
    explicit TTypesForm(QWidget *owner = nullptr);

    TDBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    TDBEdit *DBEdit1;
    TDBEdit *DBEdit2;
    TDBLookupComboBox *DBLookupComboBox1;
    TDBEdit *DBEdit3;
    QPushButton *InsertBtn;
    QPushButton *SaveBtn;
    QPushButton *DeleteBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void InsertBtnClick();
    void SaveBtnClick();
    // Resources of a deleted type keep its number; their type then shows empty.
    void DeleteBtnClick();

private:
    void createControls();
    void layOut();
};
