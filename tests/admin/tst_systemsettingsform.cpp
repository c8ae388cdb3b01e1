// The system settings window: OK stores the row and the settings are reloaded, Close drops every
// change, the colour chooser, the ranges of the spin boxes, an empty settings table, and the slot
// length the schedules cannot show.

#include "admin/SystemSettingsFrm.h"
#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/ColorSample.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/SpinEdit.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QPushButton>
#include <QTest>

namespace {

double at(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

// A new database with its standard settings row, loaded.
class Fixture
{
public:
    Fixture()
    {
        SystemSettings = TSystemInfo();
        LoadSystemSettings();
    }

    // The settings row as another workstation would read it now; invalid when there is none.
    TRecord stored()
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Settings.db"));
        fresh.Open();
        return fresh.IsEmpty() ? TRecord() : fresh.CurrentRecord();
    }

    int storedRows()
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Settings.db"));
        fresh.Open();
        return fresh.RecordCount();
    }

    TestSite site;
    TProgramDataForm &data = site.data();
};

// Replaces what is in a box with the text, as the user would type it.
void retype(QWidget *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

const QColor Chosen(0x11, 0x22, 0x33);
constexpr int ChosenPlatformColor = 0x00332211;

} // namespace

class TestSystemSettingsForm : public QObject
{
    Q_OBJECT

private slots:
    // Run from the main window: a colour chosen and a footer typed, then OK or Close; the settings
    // are reloaded after the window closes either way.
    void okStoresAndCloseDropsEveryChange_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Close") << false;
    }

    void okStoresAndCloseDropsEveryChange()
    {
        QFETCH(bool, ok);
        Fixture site;
        TMainForm main;
        ModalScript windows([&](QDialog &dialog) {
            if (auto *chooser = qobject_cast<QColorDialog *>(&dialog)) {
                chooser->setCurrentColor(Chosen);
                return int(QDialog::Accepted);
            }
            auto &form = static_cast<TSystemSettingsForm &>(dialog);
            QTest::mouseClick(form.InUseColor, Qt::LeftButton);
            retype(form.DBEdit2, QStringLiteral("Room keys at the desk"));
            QTest::mouseClick(ok ? form.BitBtn2 : form.BitBtn1, Qt::LeftButton);
            return form.result();
        });
        main.SystemSettings1->trigger();

        QCOMPARE(windows.shown, (QStringList{"TSystemSettingsForm", "QColorDialog"}));
        const int inUse = ok ? ChosenPlatformColor : 0x0000FFFF;
        const QString footer = ok ? QStringLiteral("Room keys at the desk") : QString();
        QCOMPARE(SystemSettings.InUseColor, inUse);
        QCOMPARE(SystemSettings.DefaultFooter, footer);
        QCOMPARE(site.stored().FieldValue("InUseColor").toInt(), inUse);
        QCOMPARE(FieldValue::asString(site.stored().FieldValue("DefaultFooter")), footer);
        QCOMPARE(site.data.SettingsTable.state(), TTable::State::Browse);
    }

    void chooserStartsAtTheSampleColour_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("Print Free Color") << "PrintFreeColor" << QColor(0x20, 0x40, 0x80);
        QTest::newRow("Non Work Hour Color, the button face")
            << "NoWorkColor" << QApplication::palette().color(QPalette::Button);
    }

    void chooserStartsAtTheSampleColour()
    {
        QFETCH(QString, sample);
        QFETCH(QColor, expected);
        Fixture site;
        SystemSettings.PrintFreeColor = 0x00804020;
        TSystemSettingsForm form;
        auto *pressed = form.findChild<TColorSample *>(sample);
        const int before = pressed->Color();
        QColor offered;
        ModalScript windows([&](QDialog &dialog) {
            offered = static_cast<QColorDialog &>(dialog).currentColor();
            static_cast<QColorDialog &>(dialog).setCurrentColor(Chosen);
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(pressed, Qt::LeftButton);

        QCOMPARE(windows.shown, QStringList{"QColorDialog"});
        QCOMPARE(offered, expected);
        QCOMPARE(pressed->Color(), before);   // cancelled: the sample keeps its colour
    }

    // Typed values come into range on OK, even when OK is pressed with Enter in the box itself.
    void spinBoxesBringTypedValuesIntoRange_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("expected");
        QTest::newRow("40 days") << "DefaultDays" << "40" << "DefaultDays" << 31;
        QTest::newRow("0 days") << "DefaultDays" << "0" << "DefaultDays" << 1;
        QTest::newRow("font size 3") << "FontSize" << "3" << "DefaultFontSize" << 6;
        QTest::newRow("font size 200") << "FontSize" << "200" << "DefaultFontSize" << 100;
        QTest::newRow("no font size") << "FontSize" << "" << "DefaultFontSize" << 6;
    }

    void spinBoxesBringTypedValuesIntoRange()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(int, expected);
        Fixture site;
        TSystemSettingsForm form;
        retype(form.findChild<TSpinEdit *>(box), typed);
        form.BitBtn2Click();
        QCOMPARE(site.stored().FieldValue(field).toInt(), expected);
    }

    void okOnAnEmptySettingsTableCreatesItsRow()
    {
        Fixture site;
        site.data.SettingsTable.Delete();
        QCOMPARE(site.storedRows(), 0);
        LoadSystemSettings();
        TSystemSettingsForm form;
        QVERIFY(form.DBEdit1->text().isEmpty());
        QTest::mouseClick(form.DBCheckBox2, Qt::LeftButton);
        retype(form.DefaultDays, QStringLiteral("12"));
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);

        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(site.storedRows(), 1);
        const TRecord row = site.stored();
        QCOMPARE(row.FieldValue("AutoLogon"), QVariant(true));
        QCOMPARE(row.FieldValue("DefaultDays").toInt(), 12);
        QCOMPARE(row.FieldValue("WorkHoursStart").toDouble(), at(8, 0));
        QCOMPARE(row.FieldValue("PrintEndTime").toDouble(), at(17, 0));
        QCOMPARE(unsigned(row.FieldValue("NoWorkColor").toInt()), 0x8000000Fu);
        LoadSystemSettings();
        QCOMPARE(SystemSettings.TimeInterval, 60);   // left empty: the standard hour
    }

    // The schedule grids need a slot of one minute to one day: anything else is refused on OK with
    // nothing stored, and the window stays open for a correction.
    void timeIntervalMustBeAMinuteToADay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1441") << "1441" << false;
        QTest::newRow("negative") << "-5" << false;
        QTest::newRow("a sign alone") << "-" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("1440") << "1440" << true;
    }

    void timeIntervalMustBeAMinuteToADay()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        Fixture site;
        MessageBoxRecorder boxes;
        TSystemSettingsForm form;
        retype(form.DBEdit1, typed);
        retype(form.DefaultDays, QStringLiteral("9"));
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);

        const TRecord row = site.stored();
        QCOMPARE(form.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(row.FieldValue("TimeInterval").toInt(), accepted ? typed.toInt() : 60);
        QCOMPARE(row.FieldValue("DefaultDays").toInt(), accepted ? 9 : 7);
        if (accepted) {
            QVERIFY(boxes.shown.isEmpty());
            return;
        }
        QCOMPARE(boxes.texts(), QStringList{"Error: The Time Interval Must Be A Whole Number Of Minutes From 1 To 1440"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
    }
};

QTEST_MAIN(TestSystemSettingsForm)
#include "tst_systemsettingsform.moc"
