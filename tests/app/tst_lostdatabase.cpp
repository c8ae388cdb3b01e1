// The database going away under an open program: a PostgreSQL server stopped and started again,
// and an SQLite file that another program keeps locked. The user gets a message that names the
// problem, nothing is stored by halves, and the same action works once the database is back,
// without starting the program again.

#include "app/MainFrm.h"
#include "data/DatabaseSetup.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/Table.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/QuorvelApplication.h"
#include "schedule/ProgramConst.h"
#include "schedule/TimeSlots.h"
#include "support/LogOn.h"
#include "support/PrivateServer.h"
#include "support/ScriptedDialogs.h"

#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A workstation with the program's data module open on the database and one room to book, as
// the Supervisor.
class Workstation
{
public:
    explicit Workstation(const DatabaseLocation &location) : data(location)
    {
        ProgramDataForm = &data;
        data.DataModuleCreate();
        LogOnAsBooker(QStringLiteral("Supervisor"));
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", QStringLiteral("Room"));
        resources.Post();
        room = resources.FieldValue("ResourceID").toInt();
    }
    ~Workstation() { ProgramDataForm = nullptr; }

    // A booking editor for 10:00 in the room, open on the screen as the user has it.
    std::unique_ptr<TScheduleForm> openEditor()
    {
        auto editor = std::make_unique<TScheduleForm>();
        editor->OpenForCell(MakeCellText(-1, room, QString(), day), SlotStartTime(20));
        editor->show();
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor.get()))
            qWarning("The booking editor did not become the active window");
        return editor;
    }

    TProgramDataForm data;
    const double day = TimeValue::fromDate(QDate(2030, 3, 6));
    int room = 0;
};

// A new, initialised database on the server.
DatabaseLocation newSite(PrivateServer &server)
{
    const DatabaseLocation location = server.newDatabase(QStringLiteral("quorvel"));
    DatabaseSetup::Init(location);
    return location;
}

// The bookings as another workstation reads them.
int storedBookings(const DatabaseLocation &location)
{
    TDatabase other(location, QStringLiteral("quorvel-test"));
    other.Open();
    TTable schedule(other, QStringLiteral("Schedule"));
    schedule.Open();
    return schedule.RecordCount();
}

// Save pressed by the user: an error goes to the program's general error report.
void pressSave(TScheduleForm &editor)
{
    QTest::mouseClick(editor.SaveBtn, Qt::LeftButton);
}

// Another program that takes SQLite's write lock on the file and keeps it until its input ends.
class LockHolder
{
public:
    explicit LockHolder(const QString &file)
    {
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-c"),
                         QStringLiteral("import sqlite3, sys\n"
                                        "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                        "c.execute('BEGIN IMMEDIATE')\n"
                                        "print('locked', flush=True)\n"
                                        "sys.stdin.read()\n"
                                        "c.execute('ROLLBACK')\n"),
                         file});
        m_locked = m_process.waitForReadyRead(30000) && m_process.readLine().trimmed() == "locked";
    }
    ~LockHolder() { release(); }
    bool locked() const { return m_locked; }
    void release()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(30000);
    }

private:
    QProcess m_process;
    bool m_locked = false;
};

} // namespace

class TestLostDatabase : public QObject
{
    Q_OBJECT

private slots:
    void serverStoppedAndStartedAgain()
    {
        PrivateServer server;
        const DatabaseLocation location = newSite(server);
        Workstation station(location);
        TMainForm mainWindow;
        mainWindow.show();
        MessageBoxRecorder messages;
        const auto editor = station.openEditor();

        server.stop();
        pressSave(*editor);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().at(0).startsWith(QStringLiteral("The database server cannot be reached: ")),
                 qPrintable(messages.texts().at(0)));
        QVERIFY(editor->isVisible());
        QVERIFY(mainWindow.isVisible());

        server.start();
        QCOMPARE(storedBookings(location), 0);
        pressSave(*editor);
        QCOMPARE(messages.texts().size(), 1);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(storedBookings(location), 1);
    }

    // A server restarted while nobody was at work: the next action just works.
    void serverRestartedWhileIdle()
    {
        PrivateServer server;
        const DatabaseLocation location = newSite(server);
        Workstation station(location);
        MessageBoxRecorder messages;
        const auto editor = station.openEditor();

        server.stop();
        server.start();
        pressSave(*editor);
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(storedBookings(location), 1);
    }

    void fileLockedByAnotherProgram()
    {
        QTemporaryDir folder;
        const DatabaseLocation location = DatabaseLocation::parse(folder.path());
        DatabaseSetup::Init(location);
        Workstation station(location);
        // The program waits 30 seconds for a lock; the outcome after a shorter wait is the same.
        station.data.ScheduleDatabase.exec(QStringLiteral("PRAGMA busy_timeout = 300"));
        MessageBoxRecorder messages;
        const auto editor = station.openEditor();

        LockHolder holder(location.sqliteFilePath());
        QVERIFY(holder.locked());
        pressSave(*editor);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().at(0).startsWith(QStringLiteral("The database is busy: ")),
                 qPrintable(messages.texts().at(0)));
        QVERIFY(editor->isVisible());

        holder.release();
        QCOMPARE(storedBookings(location), 0);
        pressSave(*editor);
        QCOMPARE(messages.texts().size(), 1);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(storedBookings(location), 1);
    }
};

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    TestLostDatabase test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lostdatabase.moc"
