#include "platform/ui/DataGrid.h"

#include "platform/ui/GridColumnProxy.h"
#include "platform/ui/GridProgressDelegate.h"
#include "platform/ui/GridValueListDelegate.h"
#include "store/TableModel.h"

#include <QHeaderView>

namespace tavlo {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    applyEditTriggers();
}

DataGrid::DataGrid(TableModel& source, std::vector<GridColumn> columns, QWidget* parent)
    : DataGrid(parent)
{
    setSource(source, std::move(columns));
}

DataGrid::~DataGrid() = default;

void DataGrid::setSource(TableModel& source, std::vector<GridColumn> columns)
{
    // The proxy checks the columns before the grid lets go of its old ones.
    auto* proxy = new GridColumnProxy(source, std::move(columns), this);
    proxy->setReadOnly(readOnly_);

    for (int column = 0; column < static_cast<int>(delegates_.size()); ++column)
        setItemDelegateForColumn(column, nullptr);
    for (QAbstractItemDelegate* delegate : delegates_) {
        if (delegate)
            delegate->deleteLater();
    }
    delegates_.clear();
    disconnect(following_);
    disconnect(selecting_);
    GridColumnProxy* old = proxy_;

    proxy_ = proxy;
    setModel(proxy_);
    if (old)
        old->deleteLater();

    const auto& gridColumns = proxy_->columns();
    for (int column = 0; column < static_cast<int>(gridColumns.size()); ++column) {
        const GridColumn& gridColumn = gridColumns[column];
        QAbstractItemDelegate* delegate = nullptr;
        if (gridColumn.kind == GridColumn::Kind::ProgressBar)
            delegate = new GridProgressDelegate(this);
        else if (gridColumn.kind == GridColumn::Kind::ValueList)
            delegate = new GridValueListDelegate(gridColumn.values, this);
        delegates_.push_back(delegate);
        if (delegate)
            setItemDelegateForColumn(column, delegate);
        setColumnHidden(column, !gridColumn.visible);
    }

    connect(proxy_, &GridColumnProxy::checkToggled, this, &DataGrid::checkToggled);
    selecting_ = connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                         [this](const QModelIndex& current) { moveCurrentRow(current); });
    following_ = connect(&source, &TableModel::currentRowChanged, this,
                         [this](int row) { followCurrentRow(row); });
    followCurrentRow(source.currentRow());
}

TableModel* DataGrid::source() const
{
    return proxy_ ? proxy_->source() : nullptr;
}

int DataGrid::columnOf(const QString& objectName) const
{
    if (!proxy_)
        return -1;
    const auto& columns = proxy_->columns();
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        if (columns[column].objectName == objectName)
            return column;
    }
    return -1;
}

const GridColumn& DataGrid::gridColumn(int column) const
{
    return proxy_->columns().at(column);
}

void DataGrid::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (proxy_)
        proxy_->setReadOnly(readOnly);
    applyEditTriggers();
}

void DataGrid::applyEditTriggers()
{
    setEditTriggers(readOnly_ ? QAbstractItemView::NoEditTriggers
                              : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                    | QAbstractItemView::AnyKeyPressed);
}

void DataGrid::setColumnsFillWidth(bool fill)
{
    horizontalHeader()->setSectionResizeMode(fill ? QHeaderView::Stretch : QHeaderView::Interactive);
}

void DataGrid::finishEditing()
{
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

int DataGrid::firstVisibleColumn() const
{
    const int columns = proxy_ ? proxy_->columnCount() : 0;
    for (int visual = 0; visual < columns; ++visual) {
        const int column = horizontalHeader()->logicalIndex(visual);
        if (!isColumnHidden(column))
            return column;
    }
    return 0;
}

void DataGrid::followCurrentRow(int row)
{
    if (!proxy_ || proxy_->columnCount() == 0)
        return;
    if (row < 0 || row >= proxy_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex current = currentIndex();
    if (current.row() == row && selectionModel()->isRowSelected(row, {}))
        return;
    const int column = current.isValid() && !isColumnHidden(current.column()) ? current.column()
                                                                               : firstVisibleColumn();
    const QModelIndex target = proxy_->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect
                                                  | QItemSelectionModel::Rows);
    scrollTo(target);
}

void DataGrid::moveCurrentRow(const QModelIndex& current)
{
    if (current.isValid() && proxy_ && proxy_->source())
        proxy_->source()->setCurrentRow(current.row());
}

}  // namespace tavlo
