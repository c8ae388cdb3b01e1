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

// Resources chosen by conditions on the resource table: the Where lines of a Select on it and the
// values they bind. Reading the bookings of many resources names them by their choice rather than
// one by one, so the statement stays the same size however many there are.
struct ResourceChoice
{
    QStringList conditions;
    QueryParams params;

    // The lines of a Select of the chosen resources' rows.
    QStringList selectLines(const QString &columns) const;
    // A condition that holds for the rows of the table aliased `alias` whose ResourceID is chosen;
    // its values are added to params.
    QString holdsFor(const QString &alias, QueryParams &params) const;
};

