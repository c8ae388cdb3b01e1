#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TDatabase;

// The programs connected to the database now, each known by the network user name it registered
// under. A program leaves the list by itself however it ends, also when it is killed: PostgreSQL
// lists only live connections (by their application name), and on SQLite every program holds an
// operating-system lock on a file of its own in a folder beside the database, which the kernel
// releases with the process. Readers clear away the files nobody holds any more.
class TSessions
{
public:
    struct Entry
    {
        QString UserName;
        bool Own = false;   // this program's own registration
    };

    explicit TSessions(TDatabase &database);
    ~TSessions();
    TSessions(const TSessions &) = delete;
    TSessions &operator=(const TSessions &) = delete;

    // Registers this program's connection under the user name; the database must be open.
    void Register(const QString &networkUserName);
    void Unregister();
    bool Registered() const { return m_registered; }

    // Every registered program, this one included once it has registered.
    QList<Entry> Connected();
    // The user names of the registered programs other than this one.
    QStringList Others();

    static constexpr const char *ApplicationPrefix = "Quorvel:";
    static constexpr const char *FolderName = "Quorvel.sessions";

private:
    QString folder() const;
    void registerFile(const QString &networkUserName);
    void unregisterFile();
    QList<Entry> filesHeld();
    void registerOnServer(const QString &networkUserName);
    QList<Entry> serverConnections();

    TDatabase &m_database;
    bool m_registered = false;
    int m_lockedFile = -1;
    QString m_filePath;
};
