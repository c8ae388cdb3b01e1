#pragma once

#include "platform/db/DatabaseLocation.h"

#include <QTemporaryDir>

// A PostgreSQL cluster of one test's own, which the test may stop and start again without
// disturbing the server the other tests share. Throws std::runtime_error when the cluster cannot
// be made or started. As root, the cluster runs as the postgres user, since initdb refuses root.
class PrivateServer
{
public:
    PrivateServer();
    ~PrivateServer();
    PrivateServer(const PrivateServer &) = delete;
    PrivateServer &operator=(const PrivateServer &) = delete;

    void stop();
    void start();

    // A new, empty database on this server.
    DatabaseLocation newDatabase(const QString &name);

private:
    void run(const QString &program, const QStringList &arguments);
    QString dataDirectory() const { return m_directory.path() + QStringLiteral("/data"); }
    DatabaseLocation location(const QString &database) const;

    QTemporaryDir m_directory;
    int m_port = 0;
    bool m_running = false;
};
