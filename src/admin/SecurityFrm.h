#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class TDBCheckBox;
class TDBEdit;
class TDBGrid;

// Lists the security profiles. Holders of the master profile (number 0) may add profiles and change
// or delete every profile but the master profile itself; everyone else only looks.
class TSecurityForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSecurityForm(QWidget *owner = nullptr);

    // Runs each time the window becomes active.
    void FormActivate();

    TDBGrid *DBGrid1;
    QGroupBox *GroupBox1;
    TDBEdit *DBEdit1;
    TDBEdit *DBEdit2;
    TDBCheckBox *SupervisorCheckBox;
    TDBCheckBox *ChangeSystemCheckBox;
    TDBCheckBox *PackDatabaseCheckBox;
    TDBCheckBox *ViewSecurityCheckBox;
    TDBCheckBox *ModifyUserCheckBox;
    TDBCheckBox *CanAddType;
    TDBCheckBox *CanAddResource;
    TDBCheckBox *CanAddSchedule;
    TDBCheckBox *CanAddOtherSchedule;
    QPushButton *SaveBtn;
    QPushButton *InsertBtn;
    QPushButton *DeleteBtn;
    QPushButton *BitBtn1;
    QPushButton *HelpBtn;

public slots:
    // Another profile became current, or a new one received its number.
    void DBEdit2Change();
    // Stores at once a profile without rights; the user names it and saves.
    void InsertBtnClick();
    void SaveBtnClick();
    void DeleteBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void layOut();
    void SetProfileEditable(bool editable);
    QList<TDBCheckBox *> grantableRights() const;
};
