#include "platform/db/SqlText.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/Schema.h"

namespace SqlText {

namespace {

bool isIdentifierStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentifierChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

int identifierEnd(const QString &sql, int i)
{
    while (i < sql.size() && isIdentifierChar(sql.at(i)))
        ++i;
    return i;
}

bool hasDbExtension(const QString &sql, int i)
{
    return sql.mid(i, 3).compare(QLatin1String(".db"), Qt::CaseInsensitive) == 0
        && (i + 3 >= sql.size() || !isIdentifierChar(sql.at(i + 3)));
}

QString quoted(const QString &name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

bool isTablePosition(const QString &previousWord)
{
    static const QStringList keywords = {QStringLiteral("FROM"), QStringLiteral("UPDATE"),
                                         QStringLiteral("INTO"), QStringLiteral("JOIN"),
                                         QStringLiteral("TABLE")};
    return keywords.contains(previousWord.toUpper());
}

// Copies a quoted run ('...' or "...") starting at i, with doubled quotes inside; returns its end.
int quotedRunEnd(const QString &sql, int i)
{
    const QChar quote = sql.at(i);
    int j = i + 1;
    while (j < sql.size()) {
        if (sql.at(j) == quote) {
            if (j + 1 < sql.size() && sql.at(j + 1) == quote) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    throw EDatabaseError(QStringLiteral("Unterminated quotation in SQL statement"));
}

QString mapQuotedName(const QString &inner)
{
    if (const TableDef *table = Schema::findTable(inner))
        return quoted(table->name);
    if (const FieldDef *field = Schema::findField(inner))
        return quoted(field->name);
    return quoted(inner);
}

} // namespace

Translated translate(const QString &sql)
{
    Translated result;
    QString previousWord;
    int i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            const int end = quotedRunEnd(sql, i);
            result.sql += sql.mid(i, end - i);
            i = end;
            previousWord.clear();
        } else if (c == QLatin1Char('"')) {
            const int end = quotedRunEnd(sql, i);
            result.sql += mapQuotedName(sql.mid(i + 1, end - i - 2));
            i = end;
            previousWord.clear();
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char(':')) {
            result.sql += QLatin1String("::");   // a PostgreSQL cast
            i += 2;
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && isIdentifierStart(sql.at(i + 1))) {
            const int j = identifierEnd(sql, i + 1);
            result.parameterNames << sql.mid(i + 1, j - i - 1);
            result.sql += QLatin1Char('?');
            i = j;
        } else if (c == QLatin1Char('?')) {
            result.parameterNames << QString::number(result.parameterNames.size());
            result.sql += c;
            ++i;
        } else if (isIdentifierStart(c)) {
            int j = identifierEnd(sql, i);
            QString word = sql.mid(i, j - i);
            if (hasDbExtension(sql, j) && Schema::findTable(word))
                j += 3;   // an unquoted Schedule.db
            const TableDef *table = isTablePosition(previousWord) ? Schema::findTable(word) : nullptr;
            const FieldDef *field = Schema::findField(word);
            const bool isFunctionCall = j < sql.size() && sql.at(j) == QLatin1Char('(');
            if (table)
                result.sql += quoted(table->name);
            else if (field && !isFunctionCall)
                result.sql += quoted(field->name);
            else
                result.sql += word;
            previousWord = word;
            i = j;
        } else {
            if (!c.isSpace())
                previousWord.clear();
            result.sql += c.isSpace() ? QChar(QLatin1Char(' ')) : c;
            ++i;
        }
    }
    return result;
}

} // namespace SqlText
