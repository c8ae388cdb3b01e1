#include "support/TestDatabase.h"

#include "data/DatabaseSetup.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QTest>

namespace {

QString uniqueDatabaseName()
{
    static QAtomicInt counter;
    return QStringLiteral("quorvel_test_%1_%2")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1));
}

DatabaseLocation serverLocation()
{
    const QString url = qEnvironmentVariable("QUORVEL_TEST_PG_URL");
    if (url.isEmpty())
        qFatal("QUORVEL_TEST_PG_URL is not set: run the tests through scripts/test.sh, which starts a PostgreSQL server");
    return DatabaseLocation::parse(url);
}

} // namespace

EngineKind TestDatabase::engineUnderTest()
{
    return qEnvironmentVariable("QUORVEL_TEST_ENGINE") == QLatin1String("postgresql") ? EngineKind::PostgreSQL
                                                                                       : EngineKind::SQLite;
}

TestDatabase::TestDatabase()
{
    if (engineUnderTest() == EngineKind::SQLite) {
        m_directory = std::make_unique<QTemporaryDir>();
        m_location = DatabaseLocation::parse(m_directory->path());
        return;
    }
    const DatabaseLocation server = serverLocation();
    m_pgDatabaseName = uniqueDatabaseName();
    TDatabase admin(server, QStringLiteral("quorvel-test"));
    admin.Open();
    admin.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(m_pgDatabaseName));
    m_location = server;
    m_location.url.setPath(QLatin1Char('/') + m_pgDatabaseName);
}

TestDatabase::~TestDatabase()
{
    if (m_pgDatabaseName.isEmpty())
        return;
    try {
        TDatabase admin(serverLocation(), QStringLiteral("quorvel-test"));
        admin.Open();
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(m_pgDatabaseName));
    } catch (const EDatabaseError &error) {
        qWarning("Could not drop the test database %s: %s", qPrintable(m_pgDatabaseName), qPrintable(error.message()));
    }
}

void TestDatabase::init()
{
    DatabaseSetup::Init(m_location);
}

void TestDatabase::initDemo()
{
    init();
    TDatabase db(m_location);
    db.Open();
    DatabaseSetup::SeedDemo(db, QString());
}

TestSite::TestSite(bool demo)
{
    demo ? database.initDemo() : database.init();
    m_data = std::make_unique<TProgramDataForm>(database.location());
    ProgramDataForm = m_data.get();
    m_data->DataModuleCreate();
}

TestSite::~TestSite()
{
    m_data.reset();
    ProgramDataForm = nullptr;
}
