// The settings and rights records and the user lookup, read from a real database.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

double clock(int h, int m) { return (h * 60 + m) / 1440.0; }

// Empties every settings field but the ones given.
void storeOnlySettings(TProgramDataForm &data, const QList<QPair<QString, QVariant>> &values)
{
    TTable &settings = data.SettingsTable;
    settings.Edit();
    for (const FieldDef &field : settings.definition().fields)
        if (field.kind != FieldKind::AutoInc)
            settings.SetFieldValue(field.name, QVariant());
    for (const auto &[name, value] : values)
        settings.SetFieldValue(name, value);
    settings.Post();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void emptyFieldsGiveDefaults()
    {
        TestSite site;
        storeOnlySettings(site.data(), {{"WorkHoursStart", clock(7, 0)}});
        LoadSystemSettings();
        const TSystemInfo &s = SystemSettings;
        QCOMPARE(s.TimeInterval, 60);
        QCOMPARE(s.WorkHoursStart, clock(7, 0));
        QCOMPARE(s.WorkHoursEnd, clock(17, 0));
        // The print times copy the defaults, not the stored work hours.
        QCOMPARE(s.PrintStartTime, clock(8, 0));
        QCOMPARE(s.PrintEndTime, clock(17, 0));
        QCOMPARE(s.InUseColor, 0x0000FFFF);
        QCOMPARE(s.FreeColor, 0x00FFFFFF);
        QCOMPARE(unsigned(s.NoWorkColor), 0x8000000Fu);
        QCOMPARE(unsigned(s.PrintNoWorkColor), 0x8000000Fu);
        QCOMPARE(s.DefaultDays, 7);
        QCOMPARE(s.DefaultFontSize, 10);
        QCOMPARE(s.Landscape, false);
        QCOMPARE(s.DefaultFooter, QString());
        QCOMPARE(s.ScheduleDots, 1.3);
        QCOMPARE(s.ScheduleEndTime, 1.5);
        QCOMPARE(s.ScheduleReservedBy, 2.5);
        QCOMPARE(s.ScheduleNotes, 3.7);
    }

    void emptySettingsTableGivesDefaultsAndEditingCreatesTheRow()
    {
        TestSite site;
        TTable &settings = site.data().SettingsTable;
        settings.Delete();
        QVERIFY(settings.IsEmpty());
        LoadSystemSettings();
        QCOMPARE(SystemSettings.TimeInterval, 60);
        settings.Edit();
        QCOMPARE(settings.state(), TTable::State::Insert);
        settings.SetFieldValue("TimeInterval", 15);
        settings.Post();
        LoadSystemSettings();
        QCOMPARE(SystemSettings.TimeInterval, 15);
        QCOMPARE(settings.RecordCount(), 1);
    }

    void storedTimesComeBackAsPureTimesOfDay()
    {
        TestSite site;
        // The settings window writes a date and time: only the time of day is kept.
        const double dateAndTime = TimeValue::fromDate(QDate(2004, 3, 5)) + clock(9, 30);
        storeOnlySettings(site.data(), {{"WorkHoursStart", dateAndTime}, {"PrintEndTime", clock(23, 59)}});
        site.data().SettingsTable.Refresh();
        LoadSystemSettings();
        QCOMPARE(SystemSettings.WorkHoursStart, clock(9, 30));
        QCOMPARE(SystemSettings.PrintEndTime, clock(23, 59));
    }

    void timeIntervalIsClampedOnLoading_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -30 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("whole day") << 1440 << 1440;
        QTest::newRow("more than a day") << 100000 << 1440;
    }

    void timeIntervalIsClampedOnLoading()
    {
        QFETCH(int, stored);
        QFETCH(int, loaded);
        TestSite site;
        storeOnlySettings(site.data(), {{"TimeInterval", stored}});
        LoadSystemSettings();
        QCOMPARE(SystemSettings.TimeInterval, loaded);
    }

    void unknownProfileIsUndefinedWithoutRights()
    {
        TestSite site;
        LoadSecurityProfile(0);
        QCOMPARE(CurrentSecurity.SecurityID, 0);
        QVERIFY(CurrentSecurity.Supervisor && CurrentSecurity.CanAddOtherSchedule && CurrentSecurity.CanPackDatabase);
        for (int missing : {-1, 42}) {
            LoadSecurityProfile(missing);
            QCOMPARE(CurrentSecurity.SecurityID, missing);
            QCOMPARE(CurrentSecurity.Description, QStringLiteral("Undefined"));
            QVERIFY(!CurrentSecurity.Supervisor && !CurrentSecurity.CanChangeSystem && !CurrentSecurity.CanAddUser
                    && !CurrentSecurity.CanPackDatabase && !CurrentSecurity.CanViewSecurity && !CurrentSecurity.CanAddType
                    && !CurrentSecurity.CanAddResource && !CurrentSecurity.CanAddSchedule
                    && !CurrentSecurity.CanAddOtherSchedule);
        }
    }

    void lookupUserMatchesAnyCaseAndReportsDeletedUsers()
    {
        TestSite site(true);
        TLoginData user;
        LookupUser(QStringLiteral("mjones"), user);
        QCOMPARE(user.UserID, QStringLiteral("MJONES"));
        QCOMPARE(user.UserName, QStringLiteral("Mary Jones"));
        QCOMPARE(user.UserPhone, QStringLiteral("555-0121"));
        QVERIFY(user.SecurityID > 0);

        TLoginData gone;
        gone.UserID = QStringLiteral("kept");
        LookupUser(QStringLiteral("NOBODY"), gone);
        QCOMPARE(gone.UserID, QStringLiteral("kept"));
        QCOMPARE(gone.SecurityID, -1);
        QCOMPARE(gone.UserName, QStringLiteral("User Deleted"));
        QCOMPARE(gone.UserPhone, QString());
    }

    void accountWithoutNameShowsAsDeleted()
    {
        TestSite site;
        TTable &users = site.data().UserSettingsTable;
        users.Insert();
        users.SetFieldValue("UserID", "NONAME");
        users.SetFieldValue("SecurityID", 3);
        users.Post();
        TLoginData user;
        LookupUser(QStringLiteral("noname"), user);
        QCOMPARE(user.UserID, QStringLiteral("NONAME"));
        QCOMPARE(user.SecurityID, 3);
        QCOMPARE(user.UserName, QStringLiteral("User Deleted"));
    }

    void valuesWithQuotesAndSqlAreOnlyText_data()
    {
        QTest::addColumn<QString>("userID");
        QTest::newRow("double quote") << QStringLiteral("a\"b");
        QTest::newRow("single quote") << QStringLiteral("o'neil");
        QTest::newRow("statement end") << QStringLiteral("x; DROP TABLE");
        QTest::newRow("always true") << QStringLiteral("\") or 1=1 --");
        QTest::newRow("quoted or") << QStringLiteral("' OR ''='");
    }

    void valuesWithQuotesAndSqlAreOnlyText()
    {
        QFETCH(QString, userID);
        TestSite site(true);
        TLoginData user;
        LookupUser(userID, user);
        QCOMPARE(user.UserName, QStringLiteral("User Deleted"));

        TTable &users = site.data().UserSettingsTable;
        users.Insert();
        users.SetFieldValue("UserID", userID);
        users.SetFieldValue("UserName", userID);
        users.SetFieldValue("SecurityID", 2);
        users.Post();
        LookupUser(userID.toLower(), user);
        QCOMPARE(user.UserID, userID);
        QCOMPARE(user.UserName, userID);
        QCOMPARE(users.RecordCount(), 7);   // the demo's six accounts and this one: nothing else changed
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
