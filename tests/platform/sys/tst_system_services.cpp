// Network identity, files and the clock, on the machine the tests run on.

#include "platform/sys/FilesAndClock.h"
#include "platform/sys/NetworkIdentity.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <net/if.h>

using namespace FilesAndClock;

class TestSystemServices : public QObject
{
    Q_OBJECT

private slots:
    void networkClientNameComesFromNWUSERNAME()
    {
        qputenv("NWUSERNAME", "jsmith");
        QCOMPARE(NetworkIdentity::NetworkClientUserName(), QStringLiteral("jsmith"));
        qunsetenv("NWUSERNAME");
        QCOMPARE(NetworkIdentity::NetworkClientUserName(), QString());
    }

    void operatingSystemNameIsTheOwnerOfNewFiles()
    {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("mine"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString name = NetworkIdentity::OperatingSystemUserName();
        QVERIFY(!name.isEmpty());
        QCOMPARE(name, QFileInfo(path).owner());
    }

    // An interface counts when it is up and not the loopback, as the kernel lists them.
    void networkIsPresentWhenAnInterfaceBesidesLoopbackIsUp()
    {
        bool expected = false;
        const QDir interfaces(QStringLiteral("/sys/class/net"));
        for (const QString &name : interfaces.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile flagsFile(interfaces.filePath(name + QStringLiteral("/flags")));
            QVERIFY(flagsFile.open(QIODevice::ReadOnly));
            const uint flags = QString::fromLatin1(flagsFile.readAll().trimmed()).toUInt(nullptr, 16);
            expected = expected || ((flags & IFF_UP) && !(flags & IFF_LOOPBACK));
        }
        QCOMPARE(NetworkIdentity::NetworkPresent(), expected);
    }

    void directoriesEndInASeparator()
    {
        QVERIFY(TemporaryDirectory().endsWith(QDir::separator()));
        QCOMPARE(QDir(TemporaryDirectory()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
        QVERIFY(ProgramDirectory().endsWith(QDir::separator()));
        QVERIFY(FileExists(ProgramDirectory() + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    }

    void fileExistenceAndSize()
    {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("page.jpg"));
        QVERIFY(!FileExists(path));
        QCOMPARE(FileSize(path), qint64(-1));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1234, 'x'));
        file.close();
        QVERIFY(FileExists(path));
        QCOMPARE(FileSize(path), qint64(1234));
        // A directory is not a file.
        QVERIFY(!FileExists(directory.path()));
        QCOMPARE(FileSize(directory.path()), qint64(-1));
    }

    void waitBlocksForTheTimeOnTheTickCounter_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("none") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("short") << 30;
    }

    void waitBlocksForTheTimeOnTheTickCounter()
    {
        QFETCH(int, milliseconds);
        QElapsedTimer measured;
        measured.start();
        const qint64 before = TickCount();
        WaitMilliseconds(milliseconds);
        const qint64 ticks = TickCount() - before;
        QVERIFY(ticks >= std::max(milliseconds, 0));
        QVERIFY(measured.elapsed() >= std::max(milliseconds, 0));
        QVERIFY(measured.elapsed() < std::max(milliseconds, 0) + 1000);
    }
};

QTEST_GUILESS_MAIN(TestSystemServices)
#include "tst_system_services.moc"
