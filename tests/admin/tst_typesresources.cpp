// The types and resources windows and the resource information pop-up: saving and stamping,
// the delete questions and what a delete takes with it, and the restricted-users list.

#include "admin/ResourceFrm.h"
#include "admin/TypesFrm.h"
#include "app/MainFrm.h"
#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/HelpFile.h"
#include "schedule/ProgramConst.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(MessageResult)

namespace {

// Two types; "Room" (restricted to OTHER, with two bookings) and "Van" (one booking); the
// logged-on user ME may maintain types and resources.
class Fixture
{
public:
    Fixture()
    {
        CurrentUser = TLoginData{QStringLiteral("ME"), 1, QStringLiteral("Me Myself"), QString()};
        CurrentSecurity = TSecurityData();
        CurrentSecurity.CanAddType = true;
        CurrentSecurity.CanAddResource = true;
        addUser("ME", "Me Myself");
        addUser("OTHER", "Somebody Else");
        rooms = add(data.TypeTable, {{"Description", "Rooms"}}, "TypeID");
        vehicles = add(data.TypeTable, {{"Description", "Vehicles"}}, "TypeID");
        room = add(data.ResourceTable, {{"Description", "Room"}, {"TypeID", rooms}, {"Restricted", true}}, "ResourceID").toInt();
        van = add(data.ResourceTable, {{"Description", "Van"}, {"TypeID", vehicles}}, "ResourceID").toInt();
        for (int resource : {room, room, van})
            add(data.ScheduleTable, {{"ResourceID", resource}, {"ScheduleDate", 47000.0}}, "Sequence");
        data.RestrictResourceID = room;
        add(data.RestrictTable, {{"UserID", "OTHER"}}, "Sequence");
    }

    void addUser(const char *id, const char *name)
    {
        add(data.UserSettingsTable, {{"UserID", id}, {"UserName", name}, {"SecurityID", 1}}, "UserID");
    }

    QVariant add(TTable &table, const QList<QPair<const char *, QVariant>> &fields, const char *key)
    {
        table.Append();
        for (const auto &[name, value] : fields)
            table.SetFieldValue(QString::fromLatin1(name), value);
        table.Post();
        return table.FieldValue(QString::fromLatin1(key));
    }

    void showResource(int resourceID)
    {
        TTable &resources = data.ResourceTable;
        QVERIFY(resources.GotoRecord(*resources.LookupRecord(QStringLiteral("ResourceID"), resourceID)));
    }

    // Rows of a table as another workstation would count them now, where field equals value.
    int storedRows(const char *table, const char *field, const QVariant &value)
    {
        TTable fresh(data.ScheduleDatabase, QString::fromLatin1(table));
        fresh.Open();
        int count = 0;
        for (const TRecord &row : fresh.VisibleRows(0, fresh.RecordCount()))
            count += row.FieldValue(QString::fromLatin1(field)) == value ? 1 : 0;
        return count;
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    QVariant rooms;
    QVariant vehicles;
    int room = 0;
    int van = 0;
};

QStringList enabledRestrictButtons(const TResourceForm &form)
{
    QStringList enabled;
    for (const QPushButton *button : {form.RInsertBtn, form.RSaveBtn, form.RDeleteBtn})
        if (button->isEnabled())
            enabled << button->objectName();
    return enabled;
}

const QStringList AllRestrictButtons = {"RInsertBtn", "RSaveBtn", "RDeleteBtn"};

} // namespace

class TestTypesResources : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheMaintenanceWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("Types") << "Types1" << "TTypesForm";
        QTest::newRow("Resources") << "Resources1" << "TResourceForm";
    }

    void mainWindowOpensTheMaintenanceWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        Fixture site;
        TMainForm main;
        QPointer<QDialog> opened;
        QWidget *owner = nullptr;
        ModalScript windows([&](QDialog &dialog) {
            opened = &dialog;
            owner = dialog.parentWidget();
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(command)->trigger();
        QCOMPARE(windows.shown, QStringList{window});
        QCOMPARE(owner, &main);
        QVERIFY(!opened);   // freed when it closed
    }

    void helpButtonShowsOnlyWithTheHelpFile_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("help file present") << true;
        QTest::newRow("no help file") << false;
    }

    void helpButtonShowsOnlyWithTheHelpFile()
    {
        QFETCH(bool, present);
        Fixture site;
        HelpFilePresent = present;
        TTypesForm types;
        TResourceForm resources;
        TResourceInformationForm information;
        for (QDialog *window : std::initializer_list<QDialog *>{&types, &resources, &information})
            QCOMPARE(window->findChild<QPushButton *>("HelpBtn")->isVisibleTo(window), present);
        HelpFilePresent = false;
    }

    void aNewTypeIsStoredAndStamped()
    {
        Fixture site;
        TTypesForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Types"));
        QCOMPARE(form.DBGrid1->gridModel().rowCount(), 2);
        QTest::mouseClick(form.InsertBtn, Qt::LeftButton);
        form.DBEdit2->setFocus();
        QTest::keyClicks(form.DBEdit2, QStringLiteral("Equipment"));
        QTest::mouseClick(form.SaveBtn, Qt::LeftButton);

        QCOMPARE(site.storedRows("Type.DB", "Description", QStringLiteral("Equipment")), 1);
        QCOMPARE(site.data.TypeTable.FieldValue("ModifiedBy").toString(), QStringLiteral("ME"));
        QVERIFY(!form.DBEdit1->text().isEmpty());
        QCOMPARE(form.DBLookupComboBox1->currentText(), QStringLiteral("Me Myself"));
        QVERIFY(!form.DBEdit3->text().isEmpty());
        QCOMPARE(form.DBGrid1->gridModel().rowCount(), 3);
    }

    void deletingATypeAsksFirst_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("yes") << MessageResult::Yes;
        QTest::newRow("no") << MessageResult::No;
    }

    void deletingATypeAsksFirst()
    {
        QFETCH(MessageResult, answer);
        Fixture site;
        QVERIFY(site.data.TypeTable.FindKey({QStringLiteral("Rooms")}));
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        TTypesForm form;
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);

        QCOMPARE(boxes.texts(), QStringList{"Are you sure you want to delete this Type?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Stop);
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::YesNo);
        const bool deleted = answer == MessageResult::Yes;
        QCOMPARE(site.storedRows("Type.DB", "Description", QStringLiteral("Rooms")), deleted ? 0 : 1);
        // The resources of a deleted type keep its number and show no type.
        QCOMPARE(site.storedRows("resource.DB", "TypeID", site.rooms), 1);
        site.showResource(site.room);
        TResourceInformationForm information;
        QCOMPARE(information.DBLookupComboBox1->currentText(), deleted ? QString() : QStringLiteral("Rooms"));
    }

    void deletingAResourceAsksFirstAndTakesItsRowsWithIt_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("yes") << MessageResult::Yes;
        QTest::newRow("no") << MessageResult::No;
    }

    void deletingAResourceAsksFirstAndTakesItsRowsWithIt()
    {
        QFETCH(MessageResult, answer);
        Fixture site;
        site.showResource(site.room);
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        TResourceForm form;
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);

        QCOMPARE(boxes.texts(), QStringList{"Are you sure you want to delete this Resource?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Stop);
        const int left = answer == MessageResult::Yes ? 0 : 1;
        QCOMPARE(site.storedRows("resource.DB", "ResourceID", site.room), left);
        QCOMPARE(site.storedRows("Schedule.db", "ResourceID", site.room), 2 * left);
        QCOMPARE(site.storedRows("Restrict.db", "ResourceID", site.room), left);
        QCOMPARE(site.storedRows("Schedule.db", "ResourceID", site.van), 1);
    }

    void restrictedUsersButtonsFollowRestrictedAccess()
    {
        Fixture site;
        site.showResource(site.van);
        TResourceForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Resources"));
        QCOMPARE(form.DBGrid1->selectionModel()->selectedIndexes().size(), 3);   // the van's whole row
        QCOMPARE(enabledRestrictButtons(form), QStringList());
        QCOMPARE(form.DBGrid2->gridModel().rowCount(), 0);

        site.showResource(site.room);
        QCOMPARE(enabledRestrictButtons(form), AllRestrictButtons);
        QCOMPARE(form.DBGrid2->gridModel().rowCount(), 1);
        QCOMPARE(form.DBGrid2->gridModel().index(0, 0).data().toString(), QStringLiteral("Somebody Else"));

        QTest::mouseClick(form.DBCheckBox1, Qt::LeftButton);   // untick
        QCOMPARE(enabledRestrictButtons(form), QStringList());
        QCOMPARE(form.DBGrid2->gridModel().rowCount(), 1);     // the users stay listed
        QTest::mouseClick(form.DBCheckBox1, Qt::LeftButton);
        QCOMPARE(enabledRestrictButtons(form), AllRestrictButtons);
    }

    void aNewResourceGetsItsUsersOnlyOnceSaved()
    {
        Fixture site;
        TResourceForm form;
        MessageBoxRecorder boxes;
        QTest::mouseClick(form.InsertBtn, Qt::LeftButton);
        QVERIFY(!form.DBCheckBox1->isChecked());
        QVERIFY(!form.DBCheckBox2->isChecked());
        form.DBEdit2->setFocus();
        QTest::keyClicks(form.DBEdit2, QStringLiteral("Lab"));
        QTest::mouseClick(form.DBCheckBox1, Qt::LeftButton);
        QCOMPARE(enabledRestrictButtons(form), QStringList());   // no resource yet to list users for

        QTest::mouseClick(form.SaveBtn, Qt::LeftButton);
        const int lab = site.data.ResourceTable.FieldValue("ResourceID").toInt();
        QCOMPARE(form.DBEdit1->text(), QString::number(lab));
        QCOMPARE(enabledRestrictButtons(form), AllRestrictButtons);
        QCOMPARE(form.DBGrid2->gridModel().rowCount(), 0);

        QTest::mouseClick(form.RInsertBtn, Qt::LeftButton);
        form.DBLookupComboBox3->setFocus();
        QTest::keyClick(form.DBLookupComboBox3, Qt::Key_Down);
        const QString chosen = form.DBLookupComboBox3->KeyValue().toString();
        QVERIFY(!chosen.isEmpty());
        QTest::mouseClick(form.RSaveBtn, Qt::LeftButton);
        QCOMPARE(site.storedRows("Restrict.db", "ResourceID", lab), 1);
        QCOMPARE(site.storedRows("Restrict.db", "UserID", chosen), chosen == "OTHER" ? 2 : 1);
        QCOMPARE(site.storedRows("Restrict.db", "ResourceID", 0), 0);
        QCOMPARE(form.DBGrid2->gridModel().rowCount(), 1);

        QTest::mouseClick(form.RDeleteBtn, Qt::LeftButton);   // without a question
        QCOMPARE(site.storedRows("Restrict.db", "ResourceID", lab), 0);
        QVERIFY(boxes.shown.isEmpty());
    }

    void informationPopUpLocatesTheCellResource_data()
    {
        QTest::addColumn<int>("cellResource");   // 0: an empty cell
        QTest::addColumn<QString>("shown");
        QTest::newRow("the cell's resource") << 2 << "Van";
        QTest::newRow("an ID before the first") << -5 << "Room";
        QTest::newRow("an ID past the last") << 99 << "Van";
        QTest::newRow("an empty cell") << 0 << "Room";
    }

    void informationPopUpLocatesTheCellResource()
    {
        QFETCH(int, cellResource);
        QFETCH(QString, shown);
        Fixture site;
        QCOMPARE(site.van, 2);
        site.showResource(site.room);
        TResourceInformationForm information;
        information.LocateCellResource(cellResource ? MakeCellText(-1, cellResource, QString(), 47000) : QString());
        QCOMPARE(information.windowTitle(), QStringLiteral("Resource Information"));
        QCOMPARE(information.DBEdit2->text(), shown);
        QCOMPARE(site.data.ResourceTable.IndexName(), QStringLiteral("RDescription"));
        const bool room = shown == "Room";
        QCOMPARE(information.DBLookupComboBox1->currentText(), room ? QStringLiteral("Rooms") : QStringLiteral("Vehicles"));
        QCOMPARE(information.DBCheckBox1->isChecked(), room);
        QVERIFY(!information.DBCheckBox1->isEnabled());
        QVERIFY(information.DBEdit3->isReadOnly());
    }
};

QTEST_MAIN(TestTypesResources)
#include "tst_typesresources.moc"
