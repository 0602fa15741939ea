#pragma once

#include "platform/ui/GridColumn.h"

#include <QAbstractTableModel>

#include <vector>

namespace tavlo {

class TableModel;

// One grid's view of a data source: its own columns, in its own order, under
// its own captions, over the rows of the source. Check-box columns give a
// check state instead of text, value-list columns their texts. Rows, resets
// and changes of the source are passed on as they happen.
class GridColumnProxy : public QAbstractTableModel {
    Q_OBJECT

public:
    // A column naming no field of the source's table raises an Error.
    GridColumnProxy(TableModel& source, std::vector<GridColumn> columns, QObject* parent = nullptr);

    TableModel* source() const { return source_; }
    const std::vector<GridColumn>& columns() const { return columns_; }
    // A read-only grid lets no column be changed, whatever the columns say.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    QModelIndex mapToSource(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A check-box cell was ticked or unticked and the row posted.
    void checkToggled(int row, const QString& field);

private:
    bool isCell(const QModelIndex& index) const;
    QVariant sourceValue(int row, int column) const;

    TableModel* source_;
    std::vector<GridColumn> columns_;
    std::vector<int> sourceColumns_;  // -1 for RecId
    bool readOnly_ = false;
};

}  // namespace tavlo
