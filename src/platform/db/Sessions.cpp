#include "platform/db/Sessions.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QUuid>

#include <cerrno>
#include <optional>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString SessionSuffix = QStringLiteral(".session");
// A file being set up: readers ignore it until it is locked and renamed to its final name.
const QString OpeningSuffix = QStringLiteral(".opening");

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray readAll(int descriptor)
{
    QByteArray content;
    char buffer[256];
    ssize_t count;
    while ((count = ::read(descriptor, buffer, sizeof buffer)) > 0)
        content.append(buffer, count);
    return content;
}

// The user name in a session file whose holder is alive; empty when nobody holds the file any
// more, in which case it is removed.
std::optional<QString> liveSessionUser(const QString &path)
{
    const QByteArray encodedPath = QFile::encodeName(path);
    const int descriptor = ::open(encodedPath.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;   // its program has just ended
    std::optional<QString> user;
    if (::flock(descriptor, LOCK_SH | LOCK_NB) == 0)
        ::unlink(encodedPath.constData());   // left behind by a program that crashed or was killed
    else
        user = QString::fromUtf8(readAll(descriptor));
    ::close(descriptor);
    return user;
}

} // namespace

TSessions::TSessions(TDatabase &database) : m_database(database)
{
}

TSessions::~TSessions()
{
    try {
        Unregister();
    } catch (const EDatabaseError &) {
        // The connection is gone: the server has already dropped the registration with it.
    }
}

void TSessions::Register(const QString &networkUserName)
{
    if (m_registered)
        Unregister();
    if (m_database.engine() == EngineKind::SQLite)
        registerFile(networkUserName);
    else
        registerOnServer(networkUserName);
    m_registered = true;
}

void TSessions::Unregister()
{
    if (!m_registered)
        return;
    m_registered = false;
    if (m_database.engine() == EngineKind::SQLite)
        unregisterFile();
    else if (m_database.Connected())
        m_database.exec(QStringLiteral("SELECT set_config('application_name', ?, false)"), {QStringLiteral("")});
}

QList<TSessions::Entry> TSessions::Connected()
{
    return m_database.engine() == EngineKind::SQLite ? filesHeld() : serverConnections();
}

QStringList TSessions::Others()
{
    QStringList others;
    for (const Entry &entry : Connected())
        if (!entry.Own)
            others << entry.UserName;
    return others;
}

// ---- SQLite: one locked file per program ---------------------------------------------------------

QString TSessions::folder() const
{
    return QFileInfo(m_database.location().sqliteFilePath()).absolutePath() + QLatin1Char('/')
           + QString::fromLatin1(FolderName);
}

void TSessions::registerFile(const QString &networkUserName)
{
    const QString where = folder();
    if (!QDir().mkpath(where))
        throw EDatabaseError(QStringLiteral("Could not create the folder %1 that lists the running programs").arg(where));
    const QString base = where + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid())
                         + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QByteArray opening = QFile::encodeName(base + OpeningSuffix);
    const QString path = base + SessionSuffix;
    const int descriptor = ::open(opening.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0)
        throw EDatabaseError(QStringLiteral("Could not register this program in %1: %2").arg(where, systemError()));
    const QByteArray name = networkUserName.toUtf8();
    const bool ready = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0
                       && ::write(descriptor, name.constData(), size_t(name.size())) == name.size()
                       && ::rename(opening.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ready) {
        const QString reason = systemError();
        ::unlink(opening.constData());
        ::close(descriptor);
        throw EDatabaseError(QStringLiteral("Could not register this program in %1: %2").arg(where, reason));
    }
    m_lockedFile = descriptor;
    m_filePath = path;
}

void TSessions::unregisterFile()
{
    ::unlink(QFile::encodeName(m_filePath).constData());
    ::close(m_lockedFile);
    m_lockedFile = -1;
    m_filePath.clear();
}

QList<TSessions::Entry> TSessions::filesHeld()
{
    const QDir where(folder());
    QList<Entry> entries;
    const QStringList files = where.entryList({QLatin1Char('*') + SessionSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString &file : files) {
        const QString path = where.filePath(file);
        if (const std::optional<QString> user = liveSessionUser(path))
            entries << Entry{*user, path == m_filePath};
    }
    return entries;
}

// ---- PostgreSQL: the server's list of connections --------------------------------------------------
// The server keeps only printable ASCII of an application name, so the user name goes percent-encoded.

void TSessions::registerOnServer(const QString &networkUserName)
{
    m_database.exec(QStringLiteral("SELECT set_config('application_name', ?, false)"),
                    {QString::fromLatin1(ApplicationPrefix) + QString::fromLatin1(QUrl::toPercentEncoding(networkUserName))});
}

QList<TSessions::Entry> TSessions::serverConnections()
{
    QSqlQuery query = m_database.exec(
        QStringLiteral("SELECT application_name, pid = pg_backend_pid() FROM pg_stat_activity"
                       " WHERE datname = current_database() AND starts_with(application_name, ?)"
                       " ORDER BY backend_start"),
        {QString::fromLatin1(ApplicationPrefix)});
    const int prefixLength = int(std::strlen(ApplicationPrefix));
    QList<Entry> entries;
    while (query.next())
        entries << Entry{QUrl::fromPercentEncoding(query.value(0).toString().mid(prefixLength).toLatin1()),
                         query.value(1).toBool()};
    return entries;
}
