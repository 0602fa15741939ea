#pragma once

#include "platform/ui/GridColumn.h"

#include <QTableView>

#include <vector>

namespace tavlo {

class GridColumnProxy;
class TableModel;

// A grid over one data source with columns of its own. Every grid on one
// source shares the table's current row: a click moves the table, and a move
// of the table selects the row in every grid. Hidden columns exist but are
// not shown; the header shows the captions, which also name the columns to
// accessibility tools.
//
// An editable check-box column ticks on a click or the space key: the row is
// edited, set to 1 or 0 and posted, and checkToggled tells the window, which
// may then save the table.
class DataGrid : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);
    // A column naming no field of the source's table raises an Error.
    DataGrid(TableModel& source, std::vector<GridColumn> columns, QWidget* parent = nullptr);
    ~DataGrid() override;

    void setSource(TableModel& source, std::vector<GridColumn> columns);
    TableModel* source() const;
    GridColumnProxy* columnModel() const { return proxy_; }

    // The grid column of that object name, or -1.
    int columnOf(const QString& objectName) const;
    const GridColumn& gridColumn(int column) const;

    // A read-only grid changes nothing in place, not even a check box.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    // Columns share the grid's width instead of keeping their own.
    void setColumnsFillWidth(bool fill);
    // Writes and closes an open cell editor, so that its text reaches the
    // table before a save.
    void finishEditing();

signals:
    void checkToggled(int row, const QString& field);

private:
    void followCurrentRow(int row);
    void moveCurrentRow(const QModelIndex& current);
    int firstVisibleColumn() const;
    void applyEditTriggers();

    GridColumnProxy* proxy_ = nullptr;
    std::vector<QAbstractItemDelegate*> delegates_;
    QMetaObject::Connection following_;
    QMetaObject::Connection selecting_;
    bool readOnly_ = false;
};

}  // namespace tavlo
