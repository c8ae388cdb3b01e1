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

bool TDatabase::Connected() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
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
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    bool ok;
    if (bindings.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        if (ok) {
            for (int i = 0; i < bindings.size(); ++i)
                query.bindValue(i, bindings.at(i));
            ok = query.exec();
        }
    }
    if (!ok) {
        // PostgreSQL refuses every later statement of the unit, SQLite would commit the rest: on
        // both, a unit with a failed statement must not commit.
        if (m_transactionDepth > 0)
            m_rollbackOnly = true;
        throw EDatabaseError(engineMessage(query.lastError()));
    }
    return query;
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
