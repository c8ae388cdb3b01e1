#pragma once

#include "data/DatabaseSetup.h"
#include "support/TestDatabase.h"

#include <optional>

// One database for all the tests of a suite, set back to a freshly initialised one before each
// test: a new PostgreSQL database per test costs far more than the test itself.
class SharedDatabase
{
public:
    // Call from initTestCase(), once a QCoreApplication exists.
    void create() { m_place.emplace(); }
    // Call from init(): the seven tables as DatabaseSetup::Init leaves them, numbering from 1 again.
    void reset() { DatabaseSetup::Init(m_place->location(), true); }
    void drop() { m_place.reset(); }
    const DatabaseLocation &location() const { return m_place->location(); }

private:
    std::optional<TestDatabase> m_place;
};
