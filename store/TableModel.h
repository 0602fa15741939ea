#pragma once

#include "store/TableListener.h"

#include <QAbstractTableModel>

namespace tavlo {

class Table;

// The data source of one table: a Qt model that any number of views show at
// once. Columns are the stored fields in order, headed by the field names;
// a cell holds an int or a QString, or nothing when the field is empty. It
// follows every change of the table and reports the table's current row, so
// all views of one table share it. The table must outlive the model.
class TableModel : public QAbstractTableModel, private TableListener {
    Q_OBJECT

public:
    // The row's RecId, in every column.
    static constexpr int RecIdRole = Qt::UserRole + 1;

    explicit TableModel(Table& table, QObject* parent = nullptr);
    ~TableModel() override;

    Table& table() const { return table_; }
    // The column of a stored field named in any letter case, or -1.
    int columnOf(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes through the table: makes the row current, edits, sets the field
    // (an invalid value empties it) and posts. A value the field does not
    // take is shown in the error box and the row keeps its old value.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int currentRow() const;
    // Moves the table's current row, as a click in a view does. Ignored while
    // the model is taking in a change of the table's rows, and while the
    // table's controls are disabled: the table then says where it stands.
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

private:
    bool isCell(const QModelIndex& index) const;
    void tableAboutToBeReset() override;
    void tableReset() override;
    void rowAboutToBeInserted(int row) override;
    void rowInserted(int row) override;
    void rowAboutToBeRemoved(int row) override;
    void rowRemoved(int row) override;
    void rowsChanged(int first, int last) override;
    void currentChanged(int row) override;

    Table& table_;
    // The row count the views know; it changes only inside the change
    // announcements, and stays while the table's controls are disabled.
    int rows_ = 0;
    bool changingRows_ = false;
};

}  // namespace tavlo
