// Database maintenance: packing every table in order with its exclusive-use rule, deleting old
// bookings up to a day, and the row counts and table sizes of the information window.

#include "admin/DeleteOldFrm.h"
#include "admin/InformationFrm.h"
#include "app/MainFrm.h"
#include "app/StartUp.h"
#include "data/Packing.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Sessions.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/MessageFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QLabel>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(MessageResult)

namespace {

const QStringList PackMessages = {"Packing Security Table", "Packing User Table",     "Packing Settings Table",
                                  "Packing Type Table",     "Packing Resource Table", "Packing Schedule Table",
                                  "Packing Restricted Table"};
const QStringList TablesInPackOrder = {"Security", "User", "Settings", "Type", "Resource", "Schedule", "Restrict"};

// A site with a type, two resources and bookings, half of them deleted again so that there is
// space to give back; the logged-on user has every right.
class Fixture
{
public:
    Fixture()
    {
        CurrentUser = TLoginData{QStringLiteral("Supervisor"), 0, QStringLiteral("Supervisor"), QString()};
        LoadSecurityProfile(0);
        const QVariant type = add(data.TypeTable, {{"Description", "Rooms"}}, "TypeID");
        add(data.ResourceTable, {{"Description", "Room"}, {"TypeID", type}}, "ResourceID");
        resource = add(data.ResourceTable, {{"Description", "Hall"}, {"TypeID", type}}, "ResourceID").toInt();
        addBookings(400, TimeValue::today());
        TQuery &query = data.ScheduleQuery;
        query.Clear();
        query.Add(QStringLiteral("Delete From \"Schedule.db\" Where Sequence > :Half"));
        query.SetParam(QStringLiteral("Half"), 200);
        query.ExecSQL();
        storage = storageNow();
    }

    QVariant add(TTable &table, const QList<QPair<const char *, QVariant>> &fields, const char *key)
    {
        table.Append();
        for (const auto &[name, value] : fields)
            table.SetFieldValue(QString::fromLatin1(name), value);
        table.Post();
        return table.FieldValue(QString::fromLatin1(key));
    }

    void addBookings(int count, double date)
    {
        Transaction unit(data.ScheduleDatabase);
        TQuery insert(data.ScheduleDatabase);
        insert.Add(QStringLiteral("Insert Into \"Schedule.db\" (ResourceID, ReservedBy, Notes, ScheduleDate)"
                                  " Values (:Resource, :User, :Notes, :Date)"));
        insert.SetParam(QStringLiteral("User"), CurrentUser.UserID);
        insert.SetParam(QStringLiteral("Resource"), resource);
        insert.SetParam(QStringLiteral("Notes"), QString(200, QLatin1Char('n')));
        insert.SetParam(QStringLiteral("Date"), FieldValue::date(date));
        for (int i = 0; i < count; ++i)
            insert.ExecSQL();
        unit.commit();
    }

    // Per table, what identifies its storage: PostgreSQL rewrites a packed table into a new file;
    // SQLite compacts its one file, after which no page is free.
    QStringList storageNow()
    {
        QStringList marks;
        TDatabase &db = data.ScheduleDatabase;
        for (const QString &table : TablesInPackOrder) {
            QSqlQuery query = db.engine() == EngineKind::SQLite
                                  ? db.exec(QStringLiteral("PRAGMA freelist_count"))
                                  : db.exec(QStringLiteral("SELECT relfilenode FROM pg_class WHERE oid = CAST(? AS regclass)"),
                                            {QLatin1Char('"') + table + QLatin1Char('"')});
            query.next();
            marks << query.value(0).toString();
        }
        return marks;
    }

    QStringList packedTables()
    {
        const QStringList now = storageNow();
        QStringList packed;
        for (int i = 0; i < TablesInPackOrder.size(); ++i) {
            const bool rewritten = data.ScheduleDatabase.engine() == EngineKind::SQLite ? now[i] == QLatin1String("0")
                                                                                        : now[i] != storage[i];
            if (rewritten)
                packed << TablesInPackOrder[i];
        }
        return packed;
    }

    QList<TTable *> tables()
    {
        return {&data.SecurityTable, &data.UserSettingsTable, &data.SettingsTable, &data.TypeTable,
                &data.ResourceTable, &data.ScheduleTable, &data.RestrictTable};
    }

    bool everyTableOpenOnItsFirstRow()
    {
        for (TTable *table : tables())
            if (!table->Active() || (!table->IsEmpty() && table->CurrentRowNumber() != 0))
                return false;
        return true;
    }

    int bookingsOn(double date)
    {
        TQuery query(data.ScheduleDatabase);
        query.Add(QStringLiteral("Select Count(*) As N From \"Schedule.db\" Where ScheduleDate = :Date"));
        query.SetParam(QStringLiteral("Date"), FieldValue::date(date));
        query.Open();
        return FieldValue::asInteger(query.FieldValue(QStringLiteral("N")));
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    int resource = 0;
    QStringList storage;
};

// Another program connected to the same database, as long as it lives.
struct OtherProgram
{
    explicit OtherProgram(const DatabaseLocation &location) : connection(location), sessions(connection)
    {
        connection.Open();
        sessions.Register(QStringLiteral("other"));
    }
    TDatabase connection;
    TSessions sessions;
};

} // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        StartUp::SetShortDateFormat();
    }

    void packingAloneGoesThroughEveryTableInOrder()
    {
        Fixture site;
        QStringList messages;
        PackAllTables({[&](const QString &message) { messages << message; }, [] { return false; }});
        QCOMPARE(messages, PackMessages);
        QCOMPARE(site.packedTables(), TablesInPackOrder);
        QVERIFY(site.everyTableOpenOnItsFirstRow());
    }

    // The other program starts while the pack is under way and holds on until the answer.
    void anotherProgramStopsThePackAtItsTable_data()
    {
        QTest::addColumn<bool>("tryAgain");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("OK once it has gone") << true << PackMessages;
        QTest::newRow("Cancel") << false << PackMessages.mid(0, 6);
    }

    void anotherProgramStopsThePackAtItsTable()
    {
        QFETCH(bool, tryAgain);
        QFETCH(QStringList, messages);
        Fixture site;
        std::unique_ptr<OtherProgram> other;
        QStringList shown;
        QStringList askedAt;
        const PackCallbacks callbacks{[&](const QString &message) {
                                          shown << message;
                                          if (message == QLatin1String("Packing Schedule Table"))
                                              other = std::make_unique<OtherProgram>(site.data.ScheduleDatabase.location());
                                      },
                                      [&] {
                                          askedAt << shown.last();
                                          if (tryAgain)
                                              other.reset();
                                          return tryAgain;
                                      }};
        if (tryAgain) {
            PackAllTables(callbacks);
        } else {
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, PackAllTables(callbacks));
        }
        QCOMPARE(askedAt, QStringList{"Packing Schedule Table"});
        QCOMPARE(shown, messages);
        QVERIFY(site.everyTableOpenOnItsFirstRow());
        // SQLite compacts its one file with the first table; PostgreSQL table by table.
        const bool wholeFile = TestDatabase::engineUnderTest() == EngineKind::SQLite;
        QCOMPARE(site.packedTables(), tryAgain || wholeFile ? TablesInPackOrder : TablesInPackOrder.mid(0, 5));
    }

    // A connection that is no registered program but holds a lock: the engine refuses exclusive use.
    void aLockHeldInTheEngineAlsoStopsThePack()
    {
        Fixture site;
        TDatabase locker(site.data.ScheduleDatabase.location(), QStringLiteral("locker"));
        locker.Open();
        locker.beginTransaction();
        const bool sqlite = locker.engine() == EngineKind::SQLite;
        if (!sqlite)   // SQLite's write lock, taken when the unit began, covers the whole file
            locker.exec(QStringLiteral("LOCK TABLE \"Schedule\" IN ACCESS SHARE MODE"));
        QStringList shown;
        QStringList askedAt;
        PackAllTables({[&](const QString &message) { shown << message; },
                       [&] {
                           askedAt << shown.last();
                           locker.rollback();
                           return true;
                       }});
        // SQLite locks the whole file, PostgreSQL the one table.
        QCOMPARE(askedAt, QStringList{sqlite ? "Packing Security Table" : "Packing Schedule Table"});
        QCOMPARE(shown, PackMessages);
        QVERIFY(site.everyTableOpenOnItsFirstRow());
    }

    void packDatabaseCommand_data()
    {
        QTest::addColumn<QList<MessageResult>>("answers");
        QTest::addColumn<bool>("otherProgram");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("packed");
        const QString question = QStringLiteral("Are you sure you want to Pack The Database?");
        const QString retry = QStringLiteral("Could not open Table1 exclusively - Try again?");
        QTest::newRow("No") << QList{MessageResult::No} << false << QStringList{question} << false << false;
        QTest::newRow("Yes") << QList{MessageResult::Yes} << false << QStringList{question} << false << true;
        QTest::newRow("Yes, other program, Cancel")
            << QList{MessageResult::Yes, MessageResult::Cancel} << true << QStringList{question, retry} << true << false;
    }

    void packDatabaseCommand()
    {
        QFETCH(QList<MessageResult>, answers);
        QFETCH(bool, otherProgram);
        QFETCH(QStringList, messages);
        QFETCH(bool, fails);
        QFETCH(bool, packed);
        Fixture site;
        std::unique_ptr<OtherProgram> other;
        if (otherProgram)
            other = std::make_unique<OtherProgram>(site.data.ScheduleDatabase.location());
        TMainForm main;
        MessageBoxRecorder boxes;
        for (MessageResult answer : answers)
            boxes.answerNext(answer);
        if (fails)
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, main.PackDatabase1Click());
        else
            main.PackDatabase1Click();
        QCOMPARE(boxes.texts(), messages);
        if (messages.size() > 1) {
            QCOMPARE(boxes.shown[1].title, QStringLiteral("Open Error"));
            QCOMPARE(boxes.shown[1].icon, MessageIcon::Stop);
            QCOMPARE(boxes.shown[1].buttons, MessageButtons::OkCancel);
        }
        QCOMPARE(site.packedTables(), packed ? TablesInPackOrder : QStringList());
        QVERIFY(!MessageForm);   // the progress notice is gone, also after an error
        QVERIFY(site.everyTableOpenOnItsFirstRow());
    }

    void deleteOldBookingsUpToTheChosenDay_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<QList<int>>("daysAgoLeft");
        QTest::addColumn<int>("result");
        QTest::newRow("No") << MessageResult::No << QList{61, 60, 59} << int(QDialog::Rejected);
        QTest::newRow("Yes") << MessageResult::Yes << QList{59} << int(QDialog::Accepted);
    }

    void deleteOldBookingsUpToTheChosenDay()
    {
        QFETCH(MessageResult, answer);
        QFETCH(QList<int>, daysAgoLeft);
        QFETCH(int, result);
        Fixture site;
        const double today = TimeValue::today();
        for (int daysAgo : {61, 60, 59})
            site.addBookings(1, today - daysAgo);
        TDeleteOldForm form;
        QCOMPARE(form.DateTimePicker1->Date(), today - 60);
        MessageBoxRecorder boxes;
        boxes.answerNext(answer);
        form.DeleteBtnClick();
        QCOMPARE(boxes.texts(), QStringList{"Are You User You Want To Delete Old Schedule?"});
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Question);
        QList<int> left;
        for (int daysAgo : {61, 60, 59})
            if (site.bookingsOn(today - daysAgo) > 0)
                left << daysAgo;
        QCOMPARE(left, daysAgoLeft);
        QCOMPARE(form.result(), result);
        QCOMPARE(site.bookingsOn(today), 200);   // later bookings stay
    }

    void sizesInThousandsOfBytes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "0 K Bytes";
        QTest::newRow("under half") << qint64(499) << "0 K Bytes";
        QTest::newRow("2,499") << qint64(2499) << "2 K Bytes";
        QTest::newRow("2,500") << qint64(2500) << "3 K Bytes";
        QTest::newRow("1,234,567") << qint64(1234567) << "1,235 K Bytes";
    }

    void sizesInThousandsOfBytes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(TInformationForm::SizeText(bytes), text);
    }

    void informationCountsWhatTheUserMaySee()
    {
        Fixture site;
        site.addBookings(1000, TimeValue::today() + 1);
        // A clerk may not see restricted resources that are not open for viewing.
        CurrentSecurity = TSecurityData();
        TTable &resources = site.data.ResourceTable;
        resources.Edit();
        resources.SetFieldValue(QStringLiteral("Restricted"), true);
        resources.SetFieldValue(QStringLiteral("AllowViewing"), false);
        resources.Post();
        resources.SetFiltered(true);

        TInformationForm form;
        QCOMPARE(form.SchedulesNumber->text(), QStringLiteral("Searching"));
        form.FormActivate();
        QCOMPARE(form.ResourceNumber->text(), QStringLiteral("1"));
        QCOMPARE(form.SchedulesNumber->text(), QStringLiteral("1,200"));
        const auto kilobytes = [](const QLabel *size) {
            QString text = size->text();
            return text.endsWith(QLatin1String(" K Bytes")) ? text.chopped(8).remove(QLatin1Char(',')).toInt() : -1;
        };
        // 1,200 bookings with 200-character notes take at least 240 K; the few types far less.
        QVERIFY(kilobytes(form.SchedulesSize) >= 240);
        QVERIFY(kilobytes(form.TypeSize) < kilobytes(form.SchedulesSize) / 10);
    }
};

QTEST_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
