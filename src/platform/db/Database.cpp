#include "platform/db/Database.h"

#include "platform/db/DatabaseError.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <cmath>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("quorvel-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString engineMessage(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

// Only a statement that changes nothing may simply be run again on a new connection: a write whose
// answer was lost may have been done already.
bool repeatable(const QString &sql)
{
    const QString verb = sql.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return verb == QLatin1String("SELECT") || verb == QLatin1String("BEGIN");
}

// SQLite's primary result code for "database is locked" by another connection.
constexpr int SqliteBusy = 5;

QString quotedOption(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

TDatabase::TDatabase(const DatabaseLocation &location, const QString &applicationName)
    : m_location(location), m_applicationName(applicationName), m_connectionName(nextConnectionName())
{
}

TDatabase::~TDatabase()
{
    Close();
}

QSqlDatabase TDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

// Open until closed: a connection to a server that went away is made again by the next statement.
bool TDatabase::Connected() const
{
    return QSqlDatabase::contains(m_connectionName);
}

void TDatabase::Open(bool createIfMissing)
{
    if (Connected())
        return;
    QSqlDatabase db;
    if (m_location.engine == EngineKind::SQLite) {
        const QString path = m_location.sqliteFilePath();
        if (!createIfMissing && !QFileInfo::exists(path))
            throw EDatabaseError(QStringLiteral("There is no database file %1").arg(path));
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            throw EDatabaseError(QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    } else {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            throw EDatabaseError(QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed"));
        const QUrl &url = m_location.url;
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        db.setPort(url.port(5432));
        db.setDatabaseName(m_location.databaseName());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setConnectOptions(QStringLiteral("application_name=%1;connect_timeout=10").arg(quotedOption(m_applicationName)));
    }
    if (!db.open()) {
        QString message = engineMessage(db.lastError());
        // SQLite's own message ("unable to open database file") does not say which file.
        if (m_location.engine == EngineKind::SQLite)
            message = QStringLiteral("%1: %2").arg(m_location.describe(), message);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EDatabaseError(message);
    }
    if (m_location.engine == EngineKind::SQLite) {
        // Write-ahead logging lets workstations read while another one writes.
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
}

void TDatabase::Close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = connection();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_transactionDepth = 0;
}

QSqlQuery TDatabase::exec(const QString &sql, const QVariantList &bindings)
{
    if (!Connected())
        throw EDatabaseError(QStringLiteral("The database is not open"));
    // A connection that could not be made again after it was lost is retried by the next action.
    if (!connection().isOpen())
        reconnect();
    QSqlQuery query(connection());
    if (run(query, sql, bindings))
        return query;
    const QSqlError error = query.lastError();
    if (m_transactionDepth > 0) {
        // PostgreSQL refuses every later statement of the unit, SQLite would commit the rest: on
        // both, a unit with a failed statement must not commit.
        m_rollbackOnly = true;
        throw EDatabaseError(describeFailure(error));
    }
    if (!connectionLost(error))
        throw EDatabaseError(describeFailure(error));
    reconnect();
    if (!repeatable(sql))
        throw EDatabaseError(describeFailure(error));
    QSqlQuery again(connection());
    if (!run(again, sql, bindings))
        throw EDatabaseError(describeFailure(again.lastError()));
    return again;
}

bool TDatabase::run(QSqlQuery &query, const QString &sql, const QVariantList &bindings)
{
    query.setForwardOnly(true);
    if (bindings.isEmpty())
        return query.exec(sql);
    if (!query.prepare(sql))
        return false;
    for (int i = 0; i < bindings.size(); ++i)
        query.bindValue(i, bindings.at(i));
    return query.exec();
}

bool TDatabase::connectionLost(const QSqlError &error) const
{
    if (engine() != EngineKind::PostgreSQL)
        return false;
    // Every error the server itself reports carries an SQLSTATE; a broken connection has none, or
    // one of class 08 (connection exception) or 57P (the server shutting down or starting up).
    const QString state = error.nativeErrorCode();
    return state.isEmpty() || state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"));
}

void TDatabase::reconnect()
{
    QSqlDatabase db = connection();
    db.close();
    if (!db.open())
        throw EDatabaseError(QStringLiteral("The database server cannot be reached: %1").arg(engineMessage(db.lastError())));
}

QString TDatabase::describeFailure(const QSqlError &error) const
{
    const QString message = engineMessage(error);
    if (connectionLost(error))
        return QStringLiteral("The connection to the database server was lost, and what was being done was not "
                              "completed: %1").arg(message);
    if (engine() == EngineKind::SQLite && (error.nativeErrorCode().toInt() & 0xFF) == SqliteBusy)
        return QStringLiteral("The database is busy: another workstation has held it locked for too long, and "
                              "what was being done was not completed. Try again in a moment. (%1)").arg(message);
    return message;
}

bool TDatabase::SchemaExists()
{
    const QStringList existing = connection().tables();
    for (const TableDef &t : Schema::tables())
        if (!existing.contains(t.name, Qt::CaseSensitive) && !existing.contains(t.name.toLower()))
            return false;
    return true;
}

void TDatabase::CreateSchema()
{
    Transaction tx(*this);
    for (const QString &statement : Schema::createStatements(engine()))
        exec(statement);
    tx.commit();
}

void TDatabase::beginTransaction()
{
    if (m_transactionDepth == 0) {
        exec(engine() == EngineKind::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
        m_rollbackOnly = false;
    }
    ++m_transactionDepth;
}

void TDatabase::commit()
{
    if (m_transactionDepth == 0)
        throw EDatabaseError(QStringLiteral("No transaction is active"));
    if (m_transactionDepth > 1) {
        --m_transactionDepth;
        return;
    }
    if (m_rollbackOnly) {
        rollback();
        throw EDatabaseError(QStringLiteral("The transaction was rolled back because part of it failed"));
    }
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (const EDatabaseError &) {
        // SQLite leaves the transaction open when it refuses a commit: end it, or every later unit
        // would run inside it and never be stored.
        rollback();
        throw;
    }
    m_transactionDepth = 0;
}

void TDatabase::rollback()
{
    if (m_transactionDepth == 0)
        return;
    if (m_transactionDepth > 1) {
        // An inner unit failed: the whole outer unit must not commit.
        --m_transactionDepth;
        m_rollbackOnly = true;
        return;
    }
    m_transactionDepth = 0;
    m_rollbackOnly = false;
    QSqlQuery query(connection());
    query.exec(QStringLiteral("ROLLBACK"));   // a failed rollback leaves nothing more to undo
}

void TDatabase::lockBookingSlot(int resourceId, double date)
{
    if (m_transactionDepth == 0)
        throw EDatabaseError(QStringLiteral("A booking can only be locked inside a transaction"));
    // SQLite: BEGIN IMMEDIATE already holds the database's single write lock.
    if (engine() == EngineKind::PostgreSQL)
        exec(QStringLiteral("SELECT pg_advisory_xact_lock(?, ?)"),
             {resourceId, int(std::floor(date))});
}

Transaction::Transaction(TDatabase &database) : m_database(database)
{
    m_database.beginTransaction();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_database.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_database.commit();
}
