#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDBCheckBox;
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;
class TDBMemo;

// Keeps the resources and, for each resource, the users who may book it when it is restricted.
class TResourceForm : public QDialog
{
    Q_OBJECT

public:
    explicit TResourceForm(QWidget *owner = nullptr);

    TDBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    TDBEdit *DBEdit1;
    TDBEdit *DBEdit2;
    TDBEdit *DBEdit5;
    TDBLookupComboBox *DBLookupComboBox1;
    TDBEdit *DBEdit3;
    TDBMemo *DBMemo1;
    TDBCheckBox *DBCheckBox1;
    TDBCheckBox *DBCheckBox2;
    TDBLookupComboBox *DBLookupComboBox2;
    TDBEdit *DBEdit4;
    QGroupBox *GroupBox2;
    TDBGrid *DBGrid2;
    TDBLookupComboBox *DBLookupComboBox3;
    QPushButton *RInsertBtn;
    QPushButton *RSaveBtn;
    QPushButton *RDeleteBtn;
    QPushButton *InsertBtn;
    QPushButton *SaveBtn;
    QPushButton *DeleteBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    void InsertBtnClick();
    void SaveBtnClick();
    // Takes the resource's bookings and restricted-users rows with it.
    void DeleteBtnClick();
    // Another resource became current: the restricted-users list follows it.
    void DBEdit1Change();
    void DBCheckBox1Click();
    void RInsertBtnClick();
    void RSaveBtnClick();
    void RDeleteBtnClick();

private:
    void createControls();
    void createRestrictControls();
    void createButtons();
    void layOut();
    void UpdateRestrictButtons();
};
