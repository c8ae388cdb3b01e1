// The main window: its menu, the rights that enable its commands, and the commands it runs
// itself.

#include "SiteChanges.h"
#include "app/AboutFrm.h"
#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/print/ProgramPrinter.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/QuorvelApplication.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

// The commands that need a right, disabled for a user who has none.
const QStringList RightsDependent = {"SystemSettings1", "UserSetup1", "Security1", "PackDatabase1", "Types1",
                                     "Resources1", "Processes1", "DisplayAllSchedules1", "RangeofDates1"};

// Every named command of the main menu, the submenu titles included, with the names of those
// that are disabled.
QStringList disabledCommands(const TMainForm &form)
{
    QStringList disabled;
    for (const QAction *action : form.findChildren<QAction *>())
        if (!action->objectName().isEmpty() && !action->isSeparator() && !action->isEnabled())
            disabled << action->objectName();
    disabled.sort();
    return disabled;
}

void activate(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        HelpFilePresent = false;
        CurrentSecurity = TSecurityData();
    }

    void menuHasEveryCommandInItsPlace()
    {
        TestSite site;
        TMainForm form;
        QStringList tree;
        for (const QAction *title : form.MainMenu1->actions()) {
            tree << title->text() + QLatin1Char('|') + title->objectName();
            for (const QAction *item : title->menu()->actions())
                tree << QStringLiteral("  ") + (item->isSeparator() ? QStringLiteral("-") : item->text())
                            + QLatin1Char('|') + item->objectName();
        }
        const QStringList expected = {
            "&File|File1", "  &Printer Setup|PrinterSetup1", "  -|N4", "  &User Settings|UserSettings1",
            "  &System Settings|SystemSettings1", "  Us&er Setup|UserSetup1", "  Se&curity|Security1", "  -|N6",
            "  &Pack Database|PackDatabase1", "  &Information|Information1", "  -|N2", "  &Exit|Exit1",
            "&Edit|Edit1", "  &Types|Types1", "  &Resources|Resources1",
            "&Schedule|Schedule1", "  Display By Resource &Type|DisplayByResourceType1",
            "  Display Resource &Detail|DisplayResourceDetail1", "  Display &Range Of Date|DisplayRangeOfDate1",
            "  -|N10", "  R&ange of Dates|RangeofDates1", "  -|N7",
            "  &Find Available Resource|FindAvailableResource1", "  -|N9",
            "  &Display All Schedules|DisplayAllSchedules1",
            "&Processes|Processes1", "  &Delete Old Schedules|DeleteOldSchedules1",
            "&Reports|Reports1", "  &Singe Resource Detail|SingeResourceDetail1",
            "  Single &Resource Week|SingleResourceWeek1", "  -|N8",
            "  Resource By Type &Detail|ResourceByTypeDetail1", "  Resource By Type &Week|ResourceByTypeWeek1",
            "&Help|Help1", "  &Application Help|ProdcutHelp1", "  -|N1", "  &About|About1"};
        QCOMPARE(tree, expected);
        for (const QAction *action : form.findChildren<QAction *>())
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->objectName()));
    }

    void windowLooksAsItShould()
    {
        TestSite site;
        TMainForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(form.size(), QSize(696, 480));
        QCOMPARE(form.StatusBar1->objectName(), QStringLiteral("StatusBar1"));
        const QLabel *status = form.StatusBar1->findChild<QLabel *>();
        QVERIFY(status && !status->text().isEmpty());
        const QString line = status->text();
        activate(form);
        // Hovering over menu items must not wipe the fixed line.
        QStatusTipEvent hint{QString()};
        QCoreApplication::sendEvent(&form, &hint);
        QVERIFY(status->isVisible());
        QCOMPARE(status->text(), line);
    }

    void rightsDecideWhichCommandsAreEnabled_data()
    {
        QTest::addColumn<QList<bool>>("rights");
        QTest::addColumn<QStringList>("enabled");   // of the rights-dependent commands
        QTest::newRow("no rights") << QList<bool>{} << QStringList{};
        QTest::newRow("master") << QList<bool>{true, true, true, true, true, true, true, true, true} << RightsDependent;
        QTest::newRow("supervisor without viewing security") << QList<bool>{true} << QStringList{"Security1"};
        QTest::newRow("viewing security only") << QList<bool>{false, false, false, false, true} << QStringList{"Security1"};
        QTest::newRow("changing the system")
            << QList<bool>{false, true} << QStringList{"DisplayAllSchedules1", "Processes1", "SystemSettings1"};
        QTest::newRow("users, packing, types, resources")
            << QList<bool>{false, false, true, true, false, true, true}
            << QStringList{"PackDatabase1", "Resources1", "Types1", "UserSetup1"};
        QTest::newRow("bookings") << QList<bool>{false, false, false, false, false, false, false, true, true}
                                  << QStringList{"RangeofDates1"};
    }

    void rightsDecideWhichCommandsAreEnabled()
    {
        QFETCH(QList<bool>, rights);
        QFETCH(QStringList, enabled);
        TestSite site;
        LoadSecurityProfile(addProfile(site.data().ScheduleDatabase, QStringLiteral("Tested"), rights));
        TMainForm form;
        activate(form);
        QStringList expectedDisabled = {"ProdcutHelp1"};   // no help file here
        for (const QString &name : RightsDependent)
            if (!enabled.contains(name))
                expectedDisabled << name;
        expectedDisabled.sort();
        QCOMPARE(disabledCommands(form), expectedDisabled);
        // A disabled title disables its whole submenu.
        QCOMPARE(form.Processes1->isEnabled(), enabled.contains("Processes1"));
    }

    void rightsAndResourcesFilterComeBackOnEveryActivation()
    {
        TestSite site;
        TMainForm form;
        activate(form);
        QVERIFY(!form.SystemSettings1->isEnabled());
        QVERIFY(site.data().ResourceTable.Filtered());

        QWidget other;
        activate(other);
        CurrentSecurity.CanChangeSystem = true;
        site.data().ResourceTable.SetFiltered(false);
        activate(form);
        QVERIFY(form.SystemSettings1->isEnabled());
        QVERIFY(site.data().ResourceTable.Filtered());
    }

    void activationLeavesTheResourcesWhereTheyStand()
    {
        TestSite site(true);
        TMainForm form;
        activate(form);
        TTable &resources = site.data().ResourceTable;
        resources.Last();
        const QVariant current = resources.FieldValue(QStringLiteral("ResourceID"));
        QWidget other;
        activate(other);
        activate(form);
        QCOMPARE(resources.FieldValue(QStringLiteral("ResourceID")), current);
    }

    void helpCommandFollowsTheHelpFile_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("help file present") << true;
        QTest::newRow("help file missing") << false;
    }

    void helpCommandFollowsTheHelpFile()
    {
        QFETCH(bool, present);
        TestSite site;
        HelpFilePresent = present;
        TMainForm form;
        activate(form);
        QCOMPARE(form.ProdcutHelp1->isEnabled(), present);
    }

    void aliasIsCreatedOnlyWhenMissing_data()
    {
        QTest::addColumn<QByteArray>("configured");
        QTest::addColumn<QString>("afterwards");
        QTest::newRow("missing") << QByteArray() << ".";
        QTest::newRow("configured") << QByteArray("/srv/quorvel") << "/srv/quorvel";
    }

    void aliasIsCreatedOnlyWhenMissing()
    {
        QFETCH(QByteArray, configured);
        QFETCH(QString, afterwards);
        TestSite site;
        configured.isNull() ? qunsetenv(DatabaseLocation::EnvironmentVariable)
                            : qputenv(DatabaseLocation::EnvironmentVariable, configured);
        TMainForm form;
        QCOMPARE(DatabaseLocation::resolveAlias().directory, afterwards);
        qunsetenv(DatabaseLocation::EnvironmentVariable);
    }

    void packDatabaseAsksFirst_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("yes") << MessageResult::Yes;
        QTest::newRow("no") << MessageResult::No;
    }

    void packDatabaseAsksFirst()
    {
        QFETCH(MessageResult, answer);
        TestSite site;
        MessageBoxRecorder messages;
        messages.answerNext(answer);
        ModalScript script([](QDialog &) { return int(QDialog::Rejected); });
        TMainForm form;
        form.PackDatabase1->trigger();
        QCOMPARE(messages.texts(), QStringList{"Are you sure you want to Pack The Database?"});
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Stop);
        QCOMPARE(messages.shown.at(0).buttons, MessageButtons::YesNo);
        QCOMPARE(messages.shown.at(0).parent, &form);
        QVERIFY(script.shown.isEmpty());
    }

    void aboutBoxShowsTheProductAndVersion()
    {
        TestSite site;
        TMainForm form;
        QString name, version, caption;
        bool ownedByMainWindow = false;
        ModalScript script([&](QDialog &dialog) {
            auto &box = static_cast<TAboutBox &>(dialog);
            caption = box.windowTitle();
            name = box.ProductName->text();
            version = box.Version->text();
            ownedByMainWindow = box.parentWidget() == &form;
            QTest::mouseClick(box.OKButton, Qt::LeftButton);
            return box.result();
        });
        form.About1->trigger();
        QCOMPARE(script.shown, QStringList{"TAboutBox"});
        QVERIFY(ownedByMainWindow);
        QCOMPARE(caption, QStringLiteral("Quorvel"));
        QCOMPARE(name, QStringLiteral("Quorvel"));
        QCOMPARE(version, QStringLiteral("Version 1.1"));
    }

    void printerSetupWorksOnTheProgramPrinter()
    {
        TestSite site;
        TMainForm form;
        QPrinter *printer = nullptr;
        ModalScript script([&](QDialog &dialog) {
            if (auto *setup = qobject_cast<QPageSetupDialog *>(&dialog))
                printer = setup->printer();
            return int(QDialog::Rejected);
        });
        form.PrinterSetup1->trigger();
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(printer, &ProgramPrinter());
    }

    void exitClosesTheMainWindow()
    {
        TestSite site;
        TMainForm form;
        activate(form);
        form.Exit1->trigger();
        QVERIFY(!form.isVisible());
    }

    // The error reaches the general error report through the menu's own event handling.
    void errorInACommandIsReportedAndTheProgramGoesOn()
    {
        TestSite site;
        MessageBoxRecorder messages;
        int runs = 0;
        ModalScript script([&runs](QDialog &) -> int {
            if (++runs == 1)
                throw EDatabaseError(QStringLiteral("Table is busy: Settings"));
            return QDialog::Accepted;
        });
        TMainForm form;
        activate(form);
        for (int click = 0; click < 2; ++click) {
            form.Help1->popup(form.mapToGlobal(QPoint(0, 0)));
            QVERIFY(QTest::qWaitForWindowExposed(form.Help1));
            QTest::mouseClick(form.Help1, Qt::LeftButton, {}, form.Help1->actionGeometry(form.About1).center());
        }
        QCOMPARE(runs, 2);
        QCOMPARE(messages.texts(), QStringList{"Table is busy: Settings"});
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Error);
        QVERIFY(form.isVisible());
    }
};

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    TestMainForm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainform.moc"
