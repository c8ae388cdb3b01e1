#pragma once

#include "platform/ui/DBGridModel.h"

#include <QTableView>

// A data-aware grid: the rows of the table behind a data source, one column per chosen field,
// with whole-row selection. Selecting a row makes it the table's current row, and the selection
// follows the table when anything else moves it. Read-only unless SetReadOnly(false); an edited
// cell is posted when its editor closes.
class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_model->DataSource(); }
    // Columns appear in the order they are added; the width fits the heading and the field, so
    // the data source is set first.
    void AddColumn(const QString &fieldName, const QString &heading);
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return m_model->ReadOnly(); }

    const TDBGridModel &gridModel() const { return *m_model; }

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void followTable();
    void moveTableTo(const QModelIndex &current);
    int columnWidthFor(const QString &fieldName, const QString &heading) const;

    TDBGridModel *m_model;
    bool m_following = false;
    bool m_resetting = false;
};
