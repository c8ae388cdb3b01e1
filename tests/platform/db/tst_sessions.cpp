// The list of running programs: programs in other processes see each other, a program killed
// without warning drops out of the list, and one that unregisters leaves it at once.

#include "platform/db/Database.h"
#include "platform/db/Sessions.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <memory>

namespace {

QString locationText(const DatabaseLocation &location)
{
    return location.engine == EngineKind::SQLite ? location.directory : location.url.toString();
}

// A running session_helper: another program registered on the database.
class OtherProgram
{
public:
    OtherProgram(const DatabaseLocation &location, const QString &userName)
    {
        m_process.start(QStringLiteral(SESSION_HELPER), {locationText(location), userName});
        if (readLine() != QLatin1String("registered"))
            qFatal("session_helper did not register: %s", m_process.readAllStandardError().constData());
    }

    ~OtherProgram()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished())
            m_process.kill();
    }

    // The programs this one sees, sorted; its own is marked with " *".
    QStringList connected()
    {
        m_process.write("list\n");
        QStringList lines;
        for (QString line = readLine(); line != QLatin1String("end"); line = readLine())
            lines << line;
        lines.sort();
        return lines;
    }

    // Ends the process the way a crash does: no chance to clean up.
    void killHard()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QString readLine()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead())
                return QString();
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    QProcess m_process;
};

QStringList sortedNames(TSessions &sessions)
{
    QStringList names;
    for (const TSessions::Entry &entry : sessions.Connected())
        names << entry.UserName + (entry.Own ? QStringLiteral(" *") : QString());
    names.sort();
    return names;
}

} // namespace

class TestSessions : public QObject
{
    Q_OBJECT

private slots:
    void programsSeeEachOtherAndAKilledOneDropsOut()
    {
        TestDatabase database;
        database.init();
        OtherProgram alice(database.location(), QStringLiteral("alice"));
        OtherProgram bob(database.location(), QStringLiteral("bob"));
        QCOMPARE(alice.connected(), (QStringList{"alice *", "bob"}));
        QCOMPARE(bob.connected(), (QStringList{"alice", "bob *"}));

        bob.killHard();
        // The server notices a dead client's connection a moment after the process is gone.
        QTRY_COMPARE(alice.connected(), QStringList{"alice *"});
        if (TestDatabase::engineUnderTest() == EngineKind::SQLite) {
            const QDir folder(database.location().directory + QLatin1Char('/') + TSessions::FolderName);
            QCOMPARE(folder.entryList(QDir::Files).size(), 1);   // the killed program's file is cleared away
        }
    }

    void registeringAndUnregisteringInThisProgram()
    {
        TestDatabase database;
        database.init();
        TDatabase connection(database.location());
        connection.Open();
        TSessions sessions(connection);
        QCOMPARE(sortedNames(sessions), QStringList());

        sessions.Register(QStringLiteral("Zoë Ångström"));
        OtherProgram other(database.location(), QStringLiteral("other"));
        QCOMPARE(sortedNames(sessions), (QStringList{"Zoë Ångström *", "other"}));
        QCOMPARE(sessions.Others(), QStringList{"other"});

        sessions.Unregister();
        QCOMPARE(other.connected(), QStringList{"other *"});
        QCOMPARE(sessions.Others(), QStringList{"other"});
    }
};

QTEST_GUILESS_MAIN(TestSessions)
#include "tst_sessions.moc"
