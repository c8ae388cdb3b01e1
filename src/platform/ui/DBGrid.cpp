#include "platform/ui/DBGrid.h"

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/Handlers.h"

#include <QHeaderView>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

constexpr int CellPadding = 16;

// How many characters a column shows of a field of the kind.
int charactersShown(const FieldDef *def)
{
    if (!def)
        return 20;   // derived lookup fields
    switch (def->kind) {
    case FieldKind::String:
        return std::clamp(def->width, 6, 30);
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return 8;
    case FieldKind::Logical:
        return 5;
    case FieldKind::Date:
    case FieldKind::Float:
        return 10;
    case FieldKind::Time:
        return 11;
    case FieldKind::DateTime:
        return 21;
    case FieldKind::Memo:
        return 20;
    }
    return 20;
}

} // namespace

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent), m_model(new TDBGridModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    ConnectHandler(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDBGrid::moveTableTo);
    // While the rows are read again the view may pick a current row of its own (the first, when
    // an editor gives the focus back); the table does not follow that.
    ConnectHandler(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_resetting = true; });
    ConnectHandler(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_resetting = false;
        followTable();
    });
}

// The model connects to the source first, so it has read the table's change before the grid follows.
void TDBGrid::SetDataSource(TDataSource *source)
{
    if (DataSource())
        disconnect(DataSource(), nullptr, this, nullptr);
    m_model->SetDataSource(source);
    if (source)
        ConnectHandler(source, &TDataSource::dataChanged, this, &TDBGrid::followTable);
    followTable();
}

void TDBGrid::AddColumn(const QString &fieldName, const QString &heading)
{
    m_model->AddColumn(fieldName, heading);
    setColumnWidth(m_model->columnCount() - 1, columnWidthFor(fieldName, heading));
    // The current row is selected again, so that the selection spans the new column too (and,
    // for the first column, so that there is a cell to select the row by at all).
    selectionModel()->clearCurrentIndex();
    followTable();
}

int TDBGrid::columnWidthFor(const QString &fieldName, const QString &heading) const
{
    const TTable *table = DataSource() ? DataSource()->DataSet() : nullptr;
    const FieldDef *def = table ? table->definition().field(fieldName) : nullptr;
    const int valueWidth = fontMetrics().horizontalAdvance(QString(charactersShown(def), QLatin1Char('0')));
    const int headingWidth = horizontalHeader()->fontMetrics().horizontalAdvance(heading);
    return std::max(valueWidth, headingWidth) + CellPadding;
}

void TDBGrid::SetReadOnly(bool readOnly)
{
    m_model->SetReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed);
}

void TDBGrid::followTable()
{
    if (m_following)
        return;
    QScopedValueRollback following(m_following, true);
    const int row = m_model->CurrentRow();
    const QModelIndex current = currentIndex();
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    if (row == current.row())
        return;
    const QModelIndex target = m_model->index(row, std::max(current.column(), 0));
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

// Moving may post a pending edit, which reads the rows again; the selection follows once the
// table has arrived.
void TDBGrid::moveTableTo(const QModelIndex &current)
{
    TTable *table = m_model->ActiveTable();
    if (m_following || m_resetting || !current.isValid() || !table)
        return;
    const TRecord record = m_model->RecordAt(current.row());
    if (!record.IsValid())
        return;
    try {
        QScopedValueRollback following(m_following, true);
        if (!table->GotoRecord(record))
            table->Refresh();
    } catch (...) {
        followTable();
        throw;
    }
    followTable();
}

// Posting reads the rows again, so it waits until the editor is gone.
void TDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    TTable *table = m_model->ActiveTable();
    if (table && table->state() == TTable::State::Edit)
        table->Post();
}
