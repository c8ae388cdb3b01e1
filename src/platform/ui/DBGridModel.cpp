#include "platform/ui/DBGridModel.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/FieldText.h"
#include "platform/ui/Handlers.h"

namespace {

constexpr int RowsPerPage = 100;
constexpr int PagesKept = 20;
// Far more than a screen, so that the scroll bar of a table of a few thousand rows is exact from
// the start, yet counted in a moment however large the table.
constexpr int RowsCountedAhead = 10000;

bool isNumeric(FieldKind kind)
{
    return kind == FieldKind::AutoInc || kind == FieldKind::Integer || kind == FieldKind::Float;
}

} // namespace

TDBGridModel::TDBGridModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_countAllTimer.setSingleShot(true);
    ConnectHandler(&m_countAllTimer, &QTimer::timeout, this, &TDBGridModel::countAll);
}

void TDBGridModel::SetDataSource(TDataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        ConnectHandler(m_source, &TDataSource::dataChanged, this, &TDBGridModel::tableChanged);
        ConnectHandler(m_source, &TDataSource::fieldChanged, this, &TDBGridModel::tableChanged);
    }
    reset();
}

TTable *TDBGridModel::ActiveTable() const
{
    TTable *table = m_source ? m_source->DataSet() : nullptr;
    return table && table->Active() ? table : nullptr;
}

void TDBGridModel::AddColumn(const QString &fieldName, const QString &heading)
{
    const int column = int(m_columns.size());
    beginInsertColumns(QModelIndex(), column, column);
    m_columns.append({fieldName, heading});
    endInsertColumns();
}

// The table signals every move; only a change of its rows makes the rows be read again. A move
// or an edit only repaints, since the edited row shows the edit buffer.
void TDBGridModel::tableChanged()
{
    const TTable *table = ActiveTable();
    if (table != m_shownTable || (table && table->RowsVersion() != m_shownVersion))
        reset();
    else if (m_rowCount > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, int(m_columns.size()) - 1));
}

void TDBGridModel::reset()
{
    beginResetModel();
    m_pages.clear();
    TTable *table = ActiveTable();
    m_shownTable = table;
    m_shownVersion = table ? table->RowsVersion() : 0;
    m_rowCount = 0;
    m_allCounted = !table;
    m_rowCount = rowsAhead();
    endResetModel();
    if (m_allCounted)
        m_countAllTimer.stop();
    else
        m_countAllTimer.start(0);
}

// The rows after those counted so far, up to RowsCountedAhead of them; m_allCounted tells whether
// the table ends there.
int TDBGridModel::rowsAhead()
{
    TTable *table = ActiveTable();
    if (m_allCounted || !table)
        return 0;
    int found = 0;
    try {
        found = table->CountVisibleRows(m_rowCount, RowsCountedAhead + 1);
    } catch (const EDatabaseError &error) {
        m_allCounted = true;
        reportAfterPainting(error.message());
        return 0;
    }
    m_allCounted = found <= RowsCountedAhead;
    return std::min(found, RowsCountedAhead);
}

void TDBGridModel::countAll()
{
    TTable *table = ActiveTable();
    if (m_allCounted || !table)
        return;
    m_allCounted = true;
    growTo(table->RecordCount());
}

// Tells the view of the rows counted since it last asked.
void TDBGridModel::growTo(int rowCount)
{
    if (rowCount <= m_rowCount)
        return;
    beginInsertRows(QModelIndex(), m_rowCount, rowCount - 1);
    m_rowCount = rowCount;
    endInsertRows();
}

bool TDBGridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_allCounted;
}

void TDBGridModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        growTo(m_rowCount + rowsAhead());
}

// Rows are read while the view paints; an engine error must not escape from painting, so it is
// reported from the event loop once the paint is over.
void TDBGridModel::reportAfterPainting(const QString &message) const
{
    if (m_errorPending)
        return;
    m_errorPending = true;
    QMetaObject::invokeMethod(
        const_cast<TDBGridModel *>(this),
        [this, message] {
            m_errorPending = false;
            throw EDatabaseError(message);
        },
        Qt::QueuedConnection);
}

const QList<TRecord> &TDBGridModel::page(int pageNumber) const
{
    if (auto found = m_pages.constFind(pageNumber); found != m_pages.constEnd())
        return *found;
    if (m_pages.size() >= PagesKept)
        m_pages.clear();
    QList<TRecord> rows;
    if (TTable *table = ActiveTable()) {
        try {
            rows = table->VisibleRows(pageNumber * RowsPerPage, RowsPerPage);
        } catch (const EDatabaseError &error) {
            reportAfterPainting(error.message());
        }
    }
    m_rowsRead += int(rows.size());
    return *m_pages.insert(pageNumber, rows);
}

TRecord TDBGridModel::RecordAt(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return TRecord();
    const QList<TRecord> &rows = page(row / RowsPerPage);
    const int offset = row % RowsPerPage;
    return offset < rows.size() ? rows.at(offset) : TRecord();
}

int TDBGridModel::CurrentRow()
{
    TTable *table = ActiveTable();
    if (!table || table->IsEmpty() || table->state() == TTable::State::Insert)
        return -1;
    const QString primaryKey = table->definition().primaryKey;
    const QVariant key = table->CurrentRecord().FieldValue(primaryKey);
    // The first page is read for the first screen anyway, and a table just opened stands in it.
    if (m_rowCount > 0)
        page(0);
    for (auto page = m_pages.constBegin(); page != m_pages.constEnd(); ++page)
        for (int offset = 0; offset < page->size(); ++offset)
            if (page->at(offset).FieldValue(primaryKey) == key)
                return page.key() * RowsPerPage + offset;
    // A row beyond those counted (the table moved to its last row, or found one far down) is
    // there, and so is every row before it.
    const int row = table->CurrentRowNumber();
    if (row >= m_rowCount && !m_allCounted)
        growTo(row + 1);
    return row < m_rowCount ? row : -1;
}

bool TDBGridModel::isRowBeingEdited(const TRecord &record) const
{
    const TTable *table = ActiveTable();
    if (!table || table->state() != TTable::State::Edit)
        return false;
    const QString primaryKey = table->definition().primaryKey;
    return record.FieldValue(primaryKey) == table->CurrentRecord().FieldValue(primaryKey);
}

FieldKind TDBGridModel::kindOf(int column) const
{
    const TTable *table = m_source ? m_source->DataSet() : nullptr;
    const FieldDef *def = table ? table->definition().field(m_columns.at(column).field) : nullptr;
    return def ? def->kind : FieldKind::String;
}

QVariant TDBGridModel::cellValue(const TRecord &record, int column) const
{
    TTable *table = ActiveTable();
    const QString &field = m_columns.at(column).field;
    return isRowBeingEdited(record) ? table->FieldValue(field) : table->RecordFieldValue(record, field);
}

int TDBGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TDBGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TDBGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const FieldKind kind = kindOf(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (isNumeric(kind) ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const TRecord record = RecordAt(index.row());
    if (!record.IsValid())
        return QVariant();
    try {
        return FieldText::display(kind, cellValue(record, index.column()));
    } catch (const EDatabaseError &error) {
        reportAfterPainting(error.message());
        return QVariant();
    }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns.at(section).heading;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const TTable *table = m_source ? m_source->DataSet() : nullptr;
    const FieldDef *def = table && index.isValid() ? table->definition().field(ColumnField(index.column())) : nullptr;
    if (!m_readOnly && def && def->kind != FieldKind::AutoInc)
        flags |= Qt::ItemIsEditable;
    return flags;
}

// An edited cell goes into the edit buffer of its row, as typing into an edit box does; the grid
// posts it when the cell's editor closes. A text the field cannot take is not written: the cell
// shows the stored value again.
bool TDBGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    TTable *table = ActiveTable();
    if (!table || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const std::optional<QVariant> parsed = FieldText::parse(kindOf(index.column()), value.toString());
    if (!parsed || !table->GotoRecord(RecordAt(index.row())))
        return false;
    table->Edit();
    table->SetFieldValue(ColumnField(index.column()), *parsed);
    return true;
}
