#include "platform/db/Table.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <climits>

namespace {

// Raw rows read per round trip, and the most rows kept around the current row.
constexpr int PageSize = 100;
constexpr int MaxWindowRows = 4 * PageSize;

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// SQLite reads a quoted name that is not a column as a text literal: without this check a missing
// column would show its own name as every row's value instead of failing.
void requireEveryColumn(TDatabase &database, const TableDef &table)
{
    const QSqlRecord columns = database.connection().record(quoted(table.name));
    for (const FieldDef &field : table.fields) {
        bool present = false;
        for (int i = 0; i < columns.count() && !present; ++i)
            present = columns.fieldName(i).compare(field.name, Qt::CaseInsensitive) == 0;
        if (!present)
            throw EDatabaseError(QStringLiteral("The table %1 has no column %2").arg(table.name, field.name));
    }
}

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::String || kind == FieldKind::Memo;
}

} // namespace

TTable::TTable(TDatabase &database, const QString &tableName, QObject *parent)
    : QObject(parent), m_database(database), m_def(&Schema::table(tableName))
{
}

TTable::~TTable() = default;

// ---- opening and state -----------------------------------------------------------------------

void TTable::requireActive() const
{
    if (m_state == State::Inactive)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset (%1)").arg(m_def->name));
}

void TTable::requireEditing() const
{
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        throw EDatabaseError(QStringLiteral("Dataset not in edit or insert mode (%1)").arg(m_def->name));
}

void TTable::Open()
{
    if (Active())
        return;
    if (!m_database.Connected())
        throw EDatabaseError(QStringLiteral("The database is not open"));
    m_database.exec(QStringLiteral("SELECT 1 FROM %1 WHERE 1 = 0").arg(quoted(m_def->name)));
    requireEveryColumn(m_database, *m_def);
    m_state = State::Browse;
    First();
}

void TTable::Close()
{
    m_state = State::Inactive;
    m_rows.clear();
    m_position = -1;
    m_bof = m_eof = true;
    m_modified = false;
    invalidateCaches();
    notify();
}

void TTable::notify()
{
    emit changed();
}

void TTable::invalidateCaches()
{
    m_lookupCache.clear();
    ++m_rowsVersion;
}

void TTable::Refresh()
{
    requireActive();
    finishEditingBeforeMove();
    invalidateCaches();
    for (const LookupField &lookup : std::as_const(m_lookups))
        lookup.table->invalidateCaches();
    const TRecord *current = currentRow();
    if (!current) {
        First();
        return;
    }
    const TRecord previous = *current;
    const std::optional<TRecord> fresh = fetchByPrimaryKey(previous.FieldValue(m_def->primaryKey));
    if (fresh && passes(*fresh))
        positionOn(*fresh);
    else
        positionAfterRemoval(previous);
    notify();
}

// ---- order and reading -----------------------------------------------------------------------

void TTable::SetIndexName(const QString &indexName)
{
    QString canonical;
    if (!indexName.isEmpty()) {
        const IndexDef *index = m_def->index(indexName);
        if (!index)
            throw EDatabaseError(QStringLiteral("Index '%1' not found on table %2").arg(indexName, m_def->name));
        for (const QString &field : index->fields) {
            const FieldKind kind = m_def->field(field)->kind;
            if (!isTextKind(kind) && kind != FieldKind::Integer && kind != FieldKind::AutoInc)
                throw EDatabaseError(QStringLiteral("Index '%1' cannot set a browse order").arg(indexName));
        }
        canonical = index->name;
    }
    if (canonical == m_indexName)
        return;
    m_indexName = canonical;
    ++m_rowsVersion;
    if (!Active())
        return;
    if (const TRecord *current = currentRow(); current && m_state == State::Browse) {
        positionOn(*current);
        notify();
    } else if (m_state == State::Browse) {
        First();
    }
}

QStringList TTable::orderFields() const
{
    QStringList fields;
    if (!m_indexName.isEmpty())
        fields = m_def->index(m_indexName)->fields;
    if (!fields.contains(m_def->primaryKey))
        fields << m_def->primaryKey;
    return fields;
}

// Null sorts as the empty text or the smallest integer, so that a row with an empty field still
// has a place in the order and paging never skips it.
QString TTable::orderExpression(const QString &field) const
{
    const FieldDef *def = m_def->field(field);
    if (field == m_def->primaryKey)
        return quoted(def->name);
    if (isTextKind(def->kind))
        return QStringLiteral("COALESCE(%1, '')").arg(quoted(def->name));
    return QStringLiteral("COALESCE(%1, %2)").arg(quoted(def->name)).arg(INT_MIN);
}

QVariant TTable::orderValue(const TRecord &record, const QString &field) const
{
    const QVariant value = record.FieldValue(field);
    if (isTextKind(m_def->field(field)->kind))
        return FieldValue::asString(value);
    return FieldValue::asInteger(value, INT_MIN);
}

QString TTable::selectList() const
{
    QStringList columns;
    for (const FieldDef &f : m_def->fields)
        columns << quoted(f.name);
    return columns.join(QStringLiteral(", "));
}

TRecord TTable::recordFromQuery(QSqlQuery &query) const
{
    QVector<QVariant> values(m_def->fields.size());
    for (int i = 0; i < m_def->fields.size(); ++i)
        values[i] = FieldValue::fromStorage(m_def->fields.at(i).kind, query.value(i));
    return TRecord(m_def, values);
}

// Every row is read before a filter sees one: a filter that runs a statement of its own on the
// connection would otherwise cut a PostgreSQL walk short ("Query results lost").
QList<TRecord> TTable::readRows(QSqlQuery &query) const
{
    QList<TRecord> rows;
    while (query.next())
        rows << recordFromQuery(query);
    return rows;
}

bool TTable::passes(const TRecord &record) const
{
    return !m_filtered || !m_filter || m_filter(record);
}

// Reads rows in browse order starting next to a boundary (the values of the first order fields),
// skipping those the filter refuses, until `wanted` rows pass or the table ends.
TTable::Page TTable::fetch(Direction direction, const QVariantList *boundary, bool inclusive, int wanted) const
{
    const QStringList fields = orderFields();
    QStringList expressions;
    for (const QString &field : fields)
        expressions << orderExpression(field);
    const bool forward = direction == Direction::Forward;
    QStringList orderBy;
    for (const QString &expression : expressions)
        orderBy << expression + (forward ? QString() : QStringLiteral(" DESC"));

    Page page;
    QVariantList from = boundary ? *boundary : QVariantList();
    bool fromInclusive = inclusive;
    for (;;) {
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), quoted(m_def->name));
        if (!from.isEmpty()) {
            const QString op = forward ? (fromInclusive ? QStringLiteral(">=") : QStringLiteral(">"))
                                       : (fromInclusive ? QStringLiteral("<=") : QStringLiteral("<"));
            sql += QStringLiteral(" WHERE (%1) %2 (%3)")
                       .arg(expressions.mid(0, from.size()).join(QStringLiteral(", ")), op, placeholders(int(from.size())));
        }
        sql += QStringLiteral(" ORDER BY %1 LIMIT %2").arg(orderBy.join(QStringLiteral(", "))).arg(PageSize);
        QSqlQuery query = m_database.exec(sql, from);
        const QList<TRecord> raw = readRows(query);
        for (const TRecord &row : raw)
            if (passes(row))
                page.rows << row;
        if (raw.size() < PageSize) {
            page.reachedEnd = true;
            break;
        }
        if (page.rows.size() >= wanted)
            break;
        from.clear();
        for (const QString &field : fields)
            from << orderValue(raw.last(), field);
        fromInclusive = false;
    }
    if (!forward)
        std::reverse(page.rows.begin(), page.rows.end());
    return page;
}

QVariantList TTable::boundaryOf(const TRecord &record) const
{
    QVariantList values;
    for (const QString &field : orderFields())
        values << orderValue(record, field);
    return values;
}

std::optional<TRecord> TTable::fetchByPrimaryKey(const QVariant &key) const
{
    const FieldDef *pk = m_def->field(m_def->primaryKey);
    QSqlQuery query = m_database.exec(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(selectList(), quoted(m_def->name), quoted(pk->name)),
        {FieldValue::toStorage(m_database.engine(), pk->kind, key)});
    if (!query.next())
        return std::nullopt;
    return recordFromQuery(query);
}

const TRecord *TTable::currentRow() const
{
    if (m_position < 0 || m_position >= m_rows.size())
        return nullptr;
    return &m_rows.at(m_position);
}

// ---- navigation --------------------------------------------------------------------------------

void TTable::positionOn(const TRecord &record)
{
    m_rows = {record};
    m_position = 0;
    m_rowsStartAtFirst = m_rowsEndAtLast = false;
    m_bof = m_eof = false;
}

void TTable::positionAfterRemoval(const TRecord &removed)
{
    const QVariantList boundary = boundaryOf(removed);
    Page after = fetch(Direction::Forward, &boundary, false, 1);
    if (!after.rows.isEmpty()) {
        m_rows = after.rows;
        m_position = 0;
        m_rowsStartAtFirst = false;
        m_rowsEndAtLast = after.reachedEnd;
        m_bof = m_eof = false;
        return;
    }
    Page before = fetch(Direction::Backward, &boundary, false, 1);
    m_rows = before.rows;
    m_position = int(m_rows.size()) - 1;
    m_rowsStartAtFirst = before.reachedEnd;
    m_rowsEndAtLast = true;
    m_bof = m_eof = m_rows.isEmpty();
}

void TTable::finishEditingBeforeMove()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    if (m_modified)
        Post();
    else
        Cancel();
}

void TTable::First()
{
    requireActive();
    finishEditingBeforeMove();
    const Page page = fetch(Direction::Forward, nullptr, false, 1);
    m_rows = page.rows;
    m_position = m_rows.isEmpty() ? -1 : 0;
    m_rowsStartAtFirst = true;
    m_rowsEndAtLast = page.reachedEnd;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    notify();
}

void TTable::Last()
{
    requireActive();
    finishEditingBeforeMove();
    const Page page = fetch(Direction::Backward, nullptr, false, 1);
    m_rows = page.rows;
    m_position = int(m_rows.size()) - 1;
    m_rowsStartAtFirst = page.reachedEnd;
    m_rowsEndAtLast = true;
    m_eof = true;
    m_bof = m_rows.isEmpty();
    notify();
}

void TTable::Next()
{
    requireActive();
    finishEditingBeforeMove();
    if (m_position < 0) {
        m_eof = true;
        return;
    }
    if (m_position + 1 >= m_rows.size()) {
        if (m_rowsEndAtLast) {
            m_eof = true;
            return;
        }
        const QVariantList boundary = boundaryOf(m_rows.last());
        const Page page = fetch(Direction::Forward, &boundary, false, 1);
        m_rowsEndAtLast = page.reachedEnd;
        if (page.rows.isEmpty()) {
            m_eof = true;
            return;
        }
        m_rows.append(page.rows);
        while (m_rows.size() > MaxWindowRows) {
            m_rows.removeFirst();
            --m_position;
            m_rowsStartAtFirst = false;
        }
    }
    ++m_position;
    m_bof = m_eof = false;
    notify();
}

void TTable::Prior()
{
    requireActive();
    finishEditingBeforeMove();
    if (m_position < 0) {
        m_bof = true;
        return;
    }
    if (m_position == 0) {
        if (m_rowsStartAtFirst) {
            m_bof = true;
            return;
        }
        const QVariantList boundary = boundaryOf(m_rows.first());
        const Page page = fetch(Direction::Backward, &boundary, false, 1);
        m_rowsStartAtFirst = page.reachedEnd;
        if (page.rows.isEmpty()) {
            m_bof = true;
            return;
        }
        m_rows = page.rows + m_rows;
        m_position += int(page.rows.size());
        while (m_rows.size() > MaxWindowRows) {
            m_rows.removeLast();
            m_rowsEndAtLast = false;
        }
    }
    --m_position;
    m_bof = m_eof = false;
    notify();
}

int TTable::RecordCount()
{
    requireActive();
    // Counted afresh each time: statements and other workstations add and remove rows unseen.
    int count = 0;
    if (!m_filtered || !m_filter) {
        QSqlQuery query = m_database.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted(m_def->name)));
        if (query.next())
            count = query.value(0).toInt();
    } else {
        QVariantList boundary;
        for (;;) {
            const Page page = fetch(Direction::Forward, boundary.isEmpty() ? nullptr : &boundary, false, PageSize);
            count += int(page.rows.size());
            if (page.reachedEnd || page.rows.isEmpty())
                break;
            boundary = boundaryOf(page.rows.last());
        }
    }
    return count;
}

// The order values of a key given for the first fields of the browse order.
QVariantList TTable::keyBoundary(const QVariantList &key) const
{
    const QStringList fields = orderFields();
    if (key.isEmpty() || key.size() > fields.size())
        throw EDatabaseError(QStringLiteral("Wrong number of key values for table %1").arg(m_def->name));
    TRecord probe(m_def, {});
    QVariantList boundary;
    for (int i = 0; i < key.size(); ++i) {
        probe.SetFieldValue(fields.at(i), FieldValue::fromStorage(m_def->field(fields.at(i))->kind, key.at(i)));
        boundary << orderValue(probe, fields.at(i));
    }
    return boundary;
}

void TTable::showFound(const Page &page)
{
    m_rows = page.rows;
    m_position = 0;
    m_rowsStartAtFirst = false;
    m_rowsEndAtLast = page.reachedEnd;
    m_bof = m_eof = false;
    notify();
}

bool TTable::FindKey(const QVariantList &key)
{
    requireActive();
    finishEditingBeforeMove();
    const QVariantList boundary = keyBoundary(key);
    const Page page = fetch(Direction::Forward, &boundary, true, 1);
    if (page.rows.isEmpty() || boundaryOf(page.rows.first()).mid(0, boundary.size()) != boundary)
        return false;
    showFound(page);
    return true;
}

void TTable::FindNearest(const QVariantList &key)
{
    requireActive();
    finishEditingBeforeMove();
    const QVariantList boundary = keyBoundary(key);
    const Page page = fetch(Direction::Forward, &boundary, true, 1);
    if (page.rows.isEmpty())
        Last();
    else
        showFound(page);
}

// ---- fields ------------------------------------------------------------------------------------

QStringList TTable::FieldNames() const
{
    QStringList names;
    for (const FieldDef &f : m_def->fields)
        names << f.name;
    for (const LookupField &lookup : m_lookups)
        names << lookup.name;
    return names;
}

TRecord TTable::CurrentRecord() const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return m_editBuffer;
    const TRecord *current = currentRow();
    return current ? *current : TRecord();
}

QVariant TTable::FieldValue(const QString &name) const
{
    requireActive();
    const TRecord record = CurrentRecord();
    if (const LookupField *lookup = lookupField(name))
        return record.IsValid() ? const_cast<TTable *>(this)->lookupValue(*lookup, record) : QVariant();
    if (!m_def->field(name))
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return record.IsValid() ? record.FieldValue(name) : QVariant();
}

bool TTable::FieldIsNull(const QString &name) const
{
    return FieldValue::isNull(FieldValue(name));
}

void TTable::SetFieldValue(const QString &name, const QVariant &value)
{
    requireEditing();
    if (lookupField(name))
        throw EDatabaseError(QStringLiteral("Field '%1' is derived and cannot be modified").arg(name));
    const FieldDef *field = m_def->field(name);
    if (!field)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    if (field->kind == FieldKind::AutoInc)
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->name));
    QVariant normalized = value;
    if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty() && !isTextKind(field->kind))
        normalized = QVariant();
    normalized = FieldValue::fromStorage(field->kind, normalized);
    m_editBuffer.SetFieldValue(field->name, normalized);
    m_modifiedFields.insert(m_editBuffer.fieldIndex(field->name));
    m_modified = true;
    emit fieldChanged(field->name);
}

void TTable::checkWidths() const
{
    for (const FieldDef &field : m_def->fields) {
        if (field.kind != FieldKind::String || field.width <= 0)
            continue;
        const QString text = FieldValue::asString(m_editBuffer.FieldValue(field.name));
        if (text.size() > field.width)
            throw EDatabaseError(QStringLiteral("%1 holds at most %2 characters").arg(field.name).arg(field.width));
    }
}

// ---- editing -------------------------------------------------------------------------------------

void TTable::Insert()
{
    requireActive();
    finishEditingBeforeMove();
    m_editBuffer = TRecord(m_def, {});
    m_editKey = QVariant();
    m_modifiedFields.clear();
    m_state = State::Insert;
    if (OnNewRecord) {
        try {
            OnNewRecord(*this);
        } catch (...) {
            m_state = State::Browse;
            throw;
        }
    }
    m_modified = false;
    notify();
}

void TTable::Append()
{
    Insert();
}

void TTable::Edit()
{
    requireActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (IsEmpty()) {
        Append();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    m_editBuffer = *currentRow();
    m_editKey = m_editBuffer.FieldValue(m_def->primaryKey);
    m_modifiedFields.clear();
    m_modified = false;
    m_state = State::Edit;
    notify();
}

void TTable::Post()
{
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    QVariant key;
    {
        Transaction transaction(m_database);
        if (BeforePost)
            BeforePost(*this);
        checkWidths();
        if (m_state == State::Insert)
            key = writeInsert();
        else
            key = writeUpdate();
        transaction.commit();
    }
    const TRecord written = m_editBuffer;
    m_state = State::Browse;
    m_modified = false;
    m_modifiedFields.clear();
    invalidateCaches();
    const std::optional<TRecord> stored = fetchByPrimaryKey(key);
    if (stored && passes(*stored))
        positionOn(*stored);
    else
        positionAfterRemoval(stored ? *stored : written);
    notify();
}

QVariant TTable::writeInsert()
{
    QStringList columns;
    QVariantList values;
    for (const FieldDef &field : m_def->fields) {
        const QVariant value = m_editBuffer.FieldValue(field.name);
        if (FieldValue::isNull(value))
            continue;
        columns << quoted(field.name);
        values << FieldValue::toStorage(m_database.engine(), field.kind, value);
    }
    const QString pk = quoted(m_def->primaryKey);
    const QString sql = columns.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(quoted(m_def->name), pk)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
              .arg(quoted(m_def->name), columns.join(QStringLiteral(", ")), placeholders(int(columns.size())), pk);
    QSqlQuery query = m_database.exec(sql, values);
    if (!query.next())
        throw EDatabaseError(QStringLiteral("The new row of %1 was not stored").arg(m_def->name));
    return FieldValue::fromStorage(m_def->field(m_def->primaryKey)->kind, query.value(0));
}

QVariant TTable::writeUpdate()
{
    const QVariant newKey = m_editBuffer.FieldValue(m_def->primaryKey);
    if (m_modifiedFields.isEmpty())
        return newKey;
    QStringList assignments;
    QVariantList values;
    for (int index : std::as_const(m_modifiedFields)) {
        const FieldDef &field = m_def->fields.at(index);
        assignments << quoted(field.name) + QStringLiteral(" = ?");
        values << FieldValue::toStorage(m_database.engine(), field.kind, m_editBuffer.values().at(index));
    }
    const FieldDef *pk = m_def->field(m_def->primaryKey);
    values << FieldValue::toStorage(m_database.engine(), pk->kind, m_editKey);
    QSqlQuery query = m_database.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                          .arg(quoted(m_def->name), assignments.join(QStringLiteral(", ")), quoted(pk->name)),
                                      values);
    if (query.numRowsAffected() == 0)
        throw EDatabaseError(QStringLiteral("The record was deleted by another user"));
    return newKey;
}

void TTable::Cancel()
{
    requireActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_state = State::Browse;
    m_editBuffer = TRecord();
    m_modified = false;
    m_modifiedFields.clear();
    notify();
}

void TTable::Delete()
{
    requireActive();
    if (m_state == State::Insert) {
        Cancel();
        return;
    }
    if (m_state == State::Edit)
        Cancel();
    const TRecord *current = currentRow();
    if (!current)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const TRecord removed = *current;
    {
        Transaction transaction(m_database);
        if (BeforeDelete)
            BeforeDelete(*this);
        const FieldDef *pk = m_def->field(m_def->primaryKey);
        m_database.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(m_def->name), quoted(pk->name)),
                        {FieldValue::toStorage(m_database.engine(), pk->kind, removed.FieldValue(pk->name))});
        transaction.commit();
    }
    invalidateCaches();
    positionAfterRemoval(removed);
    notify();
}

// ---- filter and lookups --------------------------------------------------------------------------

void TTable::SetFilter(Filter filter)
{
    m_filter = std::move(filter);
}

void TTable::SetFiltered(bool on)
{
    m_filtered = on;
    invalidateCaches();
    if (Active())
        First();
}

void TTable::AddLookupField(const QString &name, const QString &keyField, TTable *lookupTable,
                            const QString &lookupKeyField, const QString &resultField, int width)
{
    if (!m_def->field(keyField) || !lookupTable->definition().field(lookupKeyField)
        || !lookupTable->definition().field(resultField))
        throw EDatabaseError(QStringLiteral("Lookup field '%1' names a field that does not exist").arg(name));
    m_lookups.append({name, keyField, lookupTable, lookupKeyField, resultField, width});
}

const TTable::LookupField *TTable::lookupField(const QString &name) const
{
    for (const LookupField &lookup : m_lookups)
        if (lookup.name.compare(name, Qt::CaseInsensitive) == 0)
            return &lookup;
    return nullptr;
}

QVariant TTable::lookupValue(const LookupField &lookup, const TRecord &record)
{
    const QVariant key = record.FieldValue(lookup.keyField);
    if (FieldValue::isNull(key))
        return QVariant();
    const std::optional<TRecord> row = lookup.table->LookupRecord(lookup.lookupKeyField, key);
    if (!row)
        return QVariant();
    const QVariant value = row->FieldValue(lookup.resultField);
    return FieldValue::isNull(value) ? QVariant() : QVariant(value.toString().left(lookup.width));
}

std::optional<TRecord> TTable::LookupRecord(const QString &field, const QVariant &value)
{
    const FieldDef *def = m_def->field(field);
    if (!def)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(field));
    const QString cacheKey = def->name + QChar(0x1f) + value.toString();
    if (auto cached = m_lookupCache.constFind(cacheKey); cached != m_lookupCache.constEnd())
        return *cached;
    QSqlQuery query = m_database.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                          .arg(selectList(), quoted(m_def->name), quoted(def->name)),
                                      {FieldValue::toStorage(m_database.engine(), def->kind, value)});
    std::optional<TRecord> found;
    for (const TRecord &record : readRows(query)) {
        if (passes(record)) {
            found = record;
            break;
        }
    }
    m_lookupCache.insert(cacheKey, found);
    return found;
}

// ---- rows seen without moving the current row ------------------------------------------------------

QString TTable::orderByList() const
{
    QStringList expressions;
    for (const QString &field : orderFields())
        expressions << orderExpression(field);
    return expressions.join(QStringLiteral(", "));
}

void TTable::walkVisibleRows(const std::function<bool(const TRecord &)> &visit) const
{
    QVariantList boundary;
    for (;;) {
        const Page page = fetch(Direction::Forward, boundary.isEmpty() ? nullptr : &boundary, false, PageSize);
        for (const TRecord &row : page.rows)
            if (!visit(row))
                return;
        if (page.reachedEnd || page.rows.isEmpty())
            return;
        boundary = boundaryOf(page.rows.last());
    }
}

QList<TRecord> TTable::VisibleRows(int first, int count)
{
    requireActive();
    QList<TRecord> rows;
    if (first < 0 || count <= 0)
        return rows;
    if (!m_filtered || !m_filter) {
        QSqlQuery query = m_database.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT ? OFFSET ?")
                                              .arg(selectList(), quoted(m_def->name), orderByList()),
                                          {count, first});
        while (query.next())
            rows << recordFromQuery(query);
        return rows;
    }
    // The filter is decided row by row in the program, so the rows before `first` are read too.
    int seen = 0;
    walkVisibleRows([&](const TRecord &row) {
        if (seen++ >= first)
            rows << row;
        return rows.size() < count;
    });
    return rows;
}

int TTable::CountVisibleRows(int first, int limit)
{
    requireActive();
    if (first < 0 || limit <= 0)
        return 0;
    if (!m_filtered || !m_filter) {
        QSqlQuery query = m_database.exec(
            QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM %1 LIMIT ? OFFSET ?) AS counted").arg(quoted(m_def->name)),
            {limit, first});
        return query.next() ? query.value(0).toInt() : 0;
    }
    int seen = 0;
    walkVisibleRows([&](const TRecord &) { return ++seen < first + limit; });
    return std::max(0, seen - first);
}

QVariant TTable::RecordFieldValue(const TRecord &record, const QString &name)
{
    if (const LookupField *lookup = lookupField(name))
        return lookupValue(*lookup, record);
    if (!m_def->field(name))
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return record.FieldValue(name);
}

bool TTable::GotoRecord(const TRecord &record)
{
    requireActive();
    const QVariant key = record.FieldValue(m_def->primaryKey);
    const TRecord *current = currentRow();
    if (current && m_state != State::Insert && current->FieldValue(m_def->primaryKey) == key)
        return true;
    finishEditingBeforeMove();
    const std::optional<TRecord> stored = fetchByPrimaryKey(key);
    if (!stored || !passes(*stored))
        return false;
    positionOn(*stored);
    notify();
    return true;
}

int TTable::CurrentRowNumber()
{
    requireActive();
    const TRecord *current = currentRow();
    if (!current || m_state == State::Insert)
        return -1;
    const QVariantList boundary = boundaryOf(*current);
    if (!m_filtered || !m_filter) {
        QSqlQuery query = m_database.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE (%2) < (%3)")
                                              .arg(quoted(m_def->name), orderByList(), placeholders(int(boundary.size()))),
                                          boundary);
        return query.next() ? query.value(0).toInt() : -1;
    }
    int number = 0;
    bool found = false;
    walkVisibleRows([&](const TRecord &row) {
        found = boundaryOf(row) == boundary;
        if (!found)
            ++number;
        return !found;
    });
    return found ? number : -1;
}
