#include "platform/db/QuerySteps.h"

#include "platform/db/Query.h"

namespace {

void prepare(TQuery &query, const QStringList &lines, const QueryParams &params)
{
    query.Close();
    query.Clear();
    for (const QString &line : lines)
        query.Add(line);
    for (const auto &[name, value] : params)
        query.SetParam(name, value);
    query.Prepare();
}

} // namespace

void OpenQuery(TQuery &query, const QStringList &lines, const QueryParams &params)
{
    prepare(query, lines, params);
    query.Open();
    query.First();
}

void CloseQuery(TQuery &query)
{
    query.Close();
    query.Unprepare();
}

void WalkQuery(TQuery &query, const QStringList &lines, const QueryParams &params,
               const std::function<void(const QSqlQuery &row)> &visit)
{
    prepare(query, lines, params);
    query.ForEachRow(visit);
    CloseQuery(query);
}

void ExecQuery(TQuery &query, const QStringList &lines, const QueryParams &params)
{
    prepare(query, lines, params);
    query.ExecSQL();
    CloseQuery(query);
}
