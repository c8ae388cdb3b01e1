#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>

class TQuery;

// The way every routine uses a query object: close it, clear it, add the statement's lines, bind
// the values, prepare, then open or execute; after a walk, close and unprepare. Values are always
// bound (:Name), never written into the lines.
using QueryParams = QList<QPair<QString, QVariant>>;

// Runs a Select and stands on its first row; CloseQuery ends the walk.
void OpenQuery(TQuery &query, const QStringList &lines, const QueryParams &params);
void CloseQuery(TQuery &query);
// Runs a statement that returns no rows and unprepares the query.
void ExecQuery(TQuery &query, const QStringList &lines, const QueryParams &params);

// The placeholders of an In list, ":Prefix0, :Prefix1, ...", one per value; the values are added
// to params under those names.
QString InList(const QString &prefix, const QList<int> &values, QueryParams &params);
