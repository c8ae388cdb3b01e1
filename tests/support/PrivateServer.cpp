#include "support/PrivateServer.h"

#include "platform/db/Database.h"

#include <QFile>
#include <QProcess>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString ServerPrograms = QStringLiteral("/usr/lib/postgresql/15/bin/");

// A localhost port that nothing listens on now: the one the system gives a socket bound to port 0.
int freePort()
{
    const int socketHandle = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    const bool bound = socketHandle >= 0 && ::bind(socketHandle, reinterpret_cast<sockaddr *>(&address), length) == 0
                       && ::getsockname(socketHandle, reinterpret_cast<sockaddr *>(&address), &length) == 0;
    if (socketHandle >= 0)
        ::close(socketHandle);
    if (!bound)
        throw std::runtime_error("no free localhost port");
    return ntohs(address.sin_port);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

// Under /tmp rather than the test's temporary folder: the postgres user must be able to reach it.
PrivateServer::PrivateServer() : m_directory(QStringLiteral("/tmp/quorvel-private-pg-XXXXXX")), m_port(freePort())
{
    if (!m_directory.isValid())
        throw std::runtime_error("cannot make a folder for the private server");
    if (runningAsRoot()) {
        const passwd *owner = ::getpwnam("postgres");
        if (!owner || ::chown(QFile::encodeName(m_directory.path()).constData(), owner->pw_uid, owner->pw_gid) != 0)
            throw std::runtime_error("cannot hand the private server's folder to the postgres user");
    }
    run(QStringLiteral("initdb"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("--auth=trust"),
                                   QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("--no-locale"),
                                   QStringLiteral("-E"), QStringLiteral("UTF8")});
    QFile settings(dataDirectory() + QStringLiteral("/postgresql.conf"));
    if (!settings.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error("cannot write the private server's settings");
    settings.write(QStringLiteral("listen_addresses = '127.0.0.1'\nunix_socket_directories = '%1'\n"
                                  "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n")
                       .arg(m_directory.path())
                       .toUtf8());
    settings.close();
    start();
}

PrivateServer::~PrivateServer()
{
    if (!m_running)
        return;
    try {
        run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-m"),
                                       QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
    } catch (const std::runtime_error &error) {
        qWarning("%s", error.what());
    }
}

void PrivateServer::start()
{
    run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-l"),
                                   m_directory.path() + QStringLiteral("/server.log"), QStringLiteral("-o"),
                                   QStringLiteral("-p %1").arg(m_port), QStringLiteral("-w"), QStringLiteral("start")});
    m_running = true;
}

// A fast shutdown, as an administrator stops a server: the server ends every connection.
void PrivateServer::stop()
{
    run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-m"), QStringLiteral("fast"),
                                   QStringLiteral("-w"), QStringLiteral("stop")});
    m_running = false;
}

DatabaseLocation PrivateServer::location(const QString &database) const
{
    return DatabaseLocation::parse(QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(m_port).arg(database));
}

DatabaseLocation PrivateServer::newDatabase(const QString &name)
{
    TDatabase admin(location(QStringLiteral("postgres")), QStringLiteral("quorvel-test"));
    admin.Open();
    admin.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
    return location(name);
}

void PrivateServer::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    // The postgres user may not be allowed into the test's own working folder.
    process.setWorkingDirectory(m_directory.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (runningAsRoot())
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), ServerPrograms + program} + arguments);
    else
        process.start(ServerPrograms + program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAll())).toStdString());
}
