#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSqlQuery;
class TQuery;

// The way every routine uses a query object: close it, clear it, add the statement's lines, bind
// the values, prepare, then open or execute; after a walk, close and unprepare. Values are always
// bound (:Name), never written into the lines.
using QueryParams = QList<QPair<QString, QVariant>>;

// Runs a Select and stands on its first row; CloseQuery ends the walk.
void OpenQuery(TQuery &query, const QStringList &lines, const QueryParams &params);
void CloseQuery(TQuery &query);
// Runs a Select and hands each row to visit as it arrives (TQuery::ForEachRow), then unprepares
// the query: for results read once and not kept.
void WalkQuery(TQuery &query, const QStringList &lines, const QueryParams &params,
               const std::function<void(const QSqlQuery &row)> &visit);
// Runs a statement that returns no rows and unprepares the query.
void ExecQuery(TQuery &query, const QStringList &lines, const QueryParams &params);
