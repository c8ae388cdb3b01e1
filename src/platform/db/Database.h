#pragma once

#include "platform/db/DatabaseLocation.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

// One connection to the database "ScheduleDatabase". Every table and query object of the program
// works through it. Errors are thrown as EDatabaseError with the engine's message.
class TDatabase
{
public:
    explicit TDatabase(const DatabaseLocation &location,
                       const QString &applicationName = QStringLiteral("Quorvel"));
    ~TDatabase();
    TDatabase(const TDatabase &) = delete;
    TDatabase &operator=(const TDatabase &) = delete;

    // Connects. A missing SQLite file is an error unless createIfMissing is set.
    void Open(bool createIfMissing = false);
    void Close();
    bool Connected() const;

    EngineKind engine() const { return m_location.engine; }
    const DatabaseLocation &location() const { return m_location; }
    QSqlDatabase connection() const;

    // Runs one statement with positional (?) parameters already in storage form. A connection to a
    // server that was lost is made again: a read outside a transaction is then simply repeated,
    // anything else fails with a message that says the connection was lost.
    QSqlQuery exec(const QString &sql, const QVariantList &bindings = {});

    bool SchemaExists();
    void CreateSchema();

    // Transactions nest: only the outermost one talks to the engine. On SQLite the outermost one
    // takes the write lock at once (BEGIN IMMEDIATE), so a check-then-write cannot be overtaken.
    // A unit in which a statement or an inner unit failed never commits: commit() rolls it back
    // and throws, as it does when the engine refuses the commit itself.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_transactionDepth > 0; }

    // Serialises the saving of bookings of one resource on one date across workstations, until
    // the current transaction ends. Bookings of other resources or dates do not wait.
    void lockBookingSlot(int resourceId, double date);

private:
    static bool run(QSqlQuery &query, const QString &sql, const QVariantList &bindings);
    bool connectionLost(const QSqlError &error) const;
    void reconnect();
    QString describeFailure(const QSqlError &error) const;

    DatabaseLocation m_location;
    QString m_applicationName;
    QString m_connectionName;
    int m_transactionDepth = 0;
    bool m_rollbackOnly = false;
};

// A unit of work: begins in the constructor and rolls back in the destructor unless committed.
class Transaction
{
public:
    explicit Transaction(TDatabase &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    TDatabase &m_database;
    bool m_done = false;
};
