#pragma once

#include "platform/db/Schema.h"

#include <QString>
#include <QUrl>

// Where the database "Quorvel" lives: a directory holding the SQLite file Quorvel.sqlite, or a
// PostgreSQL server named by a postgresql:// URL.
struct DatabaseLocation
{
    EngineKind engine = EngineKind::SQLite;
    QString directory;   // SQLite: the alias directory
    QUrl url;            // PostgreSQL

    static constexpr const char *AliasName = "Quorvel";
    static constexpr const char *EnvironmentVariable = "QUORVEL_DATABASE";
    static constexpr const char *SqliteFileName = "Quorvel.sqlite";

    // A directory path or a postgresql:// (or postgres://) URL.
    static DatabaseLocation parse(const QString &text);
    // The alias as this run sees it: QUORVEL_DATABASE when set, otherwise the path ".".
    static DatabaseLocation resolveAlias();

    QString sqliteFilePath() const;
    QString databaseName() const;   // PostgreSQL database name
    // For messages: the file path, or the URL without its password.
    QString describe() const;
};
