#pragma once

#include "platform/db/DatabaseLocation.h"

#include <QTemporaryDir>
#include <memory>

class TProgramDataForm;

// A fresh, empty place for a database on the engine this test run is for: QUORVEL_TEST_ENGINE is
// "sqlite" (a temporary directory) or "postgresql" (a new database on the server named by
// QUORVEL_TEST_PG_URL, dropped again at the end). Each instance is a different database.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    static EngineKind engineUnderTest();

    const DatabaseLocation &location() const { return m_location; }

    // Creates the Quorvel schema with its initial rows (settings, master profile, Supervisor).
    void init();
    // Creates it and adds the demo site.
    void initDemo();

private:
    DatabaseLocation m_location;
    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_pgDatabaseName;
};

// An initialised database with the data module of the program open on it, installed as the
// process-wide ProgramDataForm for the duration of the test.
class TestSite
{
public:
    explicit TestSite(bool demo = false);
    ~TestSite();

    TestDatabase database;
    TProgramDataForm &data() { return *m_data; }

private:
    std::unique_ptr<TProgramDataForm> m_data;
};
