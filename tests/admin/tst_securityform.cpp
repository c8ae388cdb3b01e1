// The security profiles window: who may change which profile, Insert storing a profile without
// rights at once, the rights stored by the check boxes, and the delete question.

#include "admin/SecurityFrm.h"
#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(MessageResult)

namespace {

const QStringList Rights = {"Supervisor", "CanChangeSystem", "CanAddUser", "CanPackDatabase", "CanViewSecurity",
                            "CanAddType", "CanAddResource", "CanAddSchedule", "CanAddOtherSchedule"};

// The master profile 0 of a new database and a "Clerk" profile that may add bookings; the
// logged-on user holds the given profile.
class Fixture
{
public:
    explicit Fixture(int heldProfile)
    {
        TTable &profiles = data.SecurityTable;
        profiles.Append();
        profiles.SetFieldValue("Description", QStringLiteral("Clerk"));
        profiles.SetFieldValue("CanAddSchedule", true);
        profiles.Post();
        clerk = profiles.FieldValue("SecurityID").toInt();
        profiles.First();
        LoadSecurityProfile(heldProfile);
    }

    void show(int profile) { QVERIFY(data.SecurityTable.FindKey({profile})); }

    // The profile as another workstation would read it now; invalid when there is none.
    TRecord stored(int profile)
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Security.db"));
        fresh.Open();
        return fresh.FindKey({profile}) ? fresh.CurrentRecord() : TRecord();
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    int clerk = 0;
};

// The controls that let the user change something, by name.
QStringList changeable(const TSecurityForm &form)
{
    QStringList names;
    if (form.DBEdit1->isEnabled())
        names << "DBEdit1";
    for (const TDBCheckBox *checkBox : form.findChildren<TDBCheckBox *>())
        if (checkBox->isEnabled())
            names << checkBox->objectName();
    for (const QPushButton *button : {form.SaveBtn, form.InsertBtn, form.DeleteBtn})
        if (button->isEnabled())
            names << button->objectName();
    names.sort();
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

const QStringList EveryoneButSupervisor =
    sorted({"DBEdit1", "ChangeSystemCheckBox", "PackDatabaseCheckBox", "ViewSecurityCheckBox", "ModifyUserCheckBox",
            "CanAddType", "CanAddResource", "CanAddSchedule", "CanAddOtherSchedule", "SaveBtn", "InsertBtn",
            "DeleteBtn"});

} // namespace

class TestSecurityForm : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheWindow()
    {
        Fixture site(0);
        TMainForm main;
        QPointer<QDialog> opened;
        ModalScript windows([&](QDialog &dialog) {
            opened = &dialog;
            return int(QDialog::Rejected);
        });
        main.Security1->trigger();
        QCOMPARE(windows.shown, QStringList{"TSecurityForm"});
        QVERIFY(!opened);
    }

    // Every profile is listed; the holder of the master profile may change any but that one.
    void whoMayChangeWhichProfile_data()
    {
        QTest::addColumn<bool>("masterHolder");
        QTest::addColumn<bool>("masterShown");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("master holder, master profile") << true << true << QStringList{"InsertBtn"};
        QTest::newRow("master holder, another profile") << true << false << EveryoneButSupervisor;
        QTest::newRow("other holder, master profile") << false << true << QStringList{};
        QTest::newRow("other holder, another profile") << false << false << QStringList{};
    }

    void whoMayChangeWhichProfile()
    {
        QFETCH(bool, masterHolder);
        QFETCH(bool, masterShown);
        QFETCH(QStringList, expected);
        Fixture site(masterHolder ? 0 : 1);
        TSecurityForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Security"));
        QCOMPARE(form.DBGrid1->gridModel().rowCount(), 2);
        // Moving to the other profile and back, so the rule is applied on a move as well as at opening.
        site.show(masterShown ? site.clerk : 0);
        site.show(masterShown ? 0 : site.clerk);
        form.FormActivate();
        QCOMPARE(form.DBEdit2->text(), QString::number(masterShown ? 0 : site.clerk));
        QCOMPARE(changeable(form), expected);
    }

    void insertStoresAProfileWithoutRightsAtOnce()
    {
        Fixture site(0);
        TSecurityForm form;
        QTest::mouseClick(form.InsertBtn, Qt::LeftButton);

        const int added = form.DBEdit2->text().toInt();
        QVERIFY(added != 0 && added != site.clerk);
        const TRecord stored = site.stored(added);
        QVERIFY(stored.IsValid());
        QVERIFY(FieldValue::asString(stored.FieldValue("Description")).isEmpty());
        for (const QString &right : Rights)
            QCOMPARE(stored.FieldValue(right), QVariant(false));
        QCOMPARE(changeable(form), EveryoneButSupervisor);
        QCOMPARE(form.DBGrid1->gridModel().rowCount(), 3);

        // Named and given a right, it is stored with them on Save.
        form.DBEdit1->setFocus();
        QTest::keyClicks(form.DBEdit1, QStringLiteral("Porter"));
        QTest::mouseClick(form.CanAddSchedule, Qt::LeftButton);
        QTest::mouseClick(form.SaveBtn, Qt::LeftButton);
        const TRecord saved = site.stored(added);
        QCOMPARE(saved.FieldValue("Description").toString(), QStringLiteral("Porter"));
        QCOMPARE(saved.FieldValue("CanAddSchedule"), QVariant(true));
        QCOMPARE(saved.FieldValue("Supervisor"), QVariant(false));
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("yes") << MessageResult::Yes;
        QTest::newRow("no") << MessageResult::No;
    }

    void deleteAsksFirst()
    {
        QFETCH(MessageResult, answer);
        Fixture site(0);
        site.show(site.clerk);
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        TSecurityForm form;
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);

        QCOMPARE(boxes.texts(), QStringList{"Are you sure you want to delete This Security Profile?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Stop);
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::YesNo);
        QCOMPARE(site.stored(site.clerk).IsValid(), answer == MessageResult::No);
        QVERIFY(site.stored(0).IsValid());
    }
};

QTEST_MAIN(TestSecurityForm)
#include "tst_securityform.moc"
