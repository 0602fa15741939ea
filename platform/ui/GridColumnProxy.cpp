#include "platform/ui/GridColumnProxy.h"

#include "platform/Error.h"
#include "store/Table.h"
#include "store/TableModel.h"

namespace tavlo {

GridColumnProxy::GridColumnProxy(TableModel& source, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), source_(&source), columns_(std::move(columns))
{
    for (const GridColumn& column : columns_) {
        if (Table::isRecIdName(column.field)) {
            sourceColumns_.push_back(-1);
            continue;
        }
        const int sourceColumn = source.columnOf(column.field);
        if (sourceColumn < 0)
            throw Error(QStringLiteral("%1: Field '%2' not found").arg(source.table().name(), column.field));
        sourceColumns_.push_back(sourceColumn);
    }

    connect(source_, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
    connect(source_, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(source_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
    connect(source_, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(source_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(source_, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    // A change anywhere in a row repaints the whole row: this grid's columns
    // come in an order of their own.
    connect(source_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (!columns_.empty())
                    emit dataChanged(index(topLeft.row(), 0),
                                     index(bottomRight.row(), columnCount() - 1));
            });
    // The source is half gone when it says so, so it is let go first.
    connect(source_, &QObject::destroyed, this, [this] {
        source_ = nullptr;
        beginResetModel();
        endResetModel();
    });
}

void GridColumnProxy::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
}

QModelIndex GridColumnProxy::mapToSource(const QModelIndex& index) const
{
    if (!source_ || !isCell(index))
        return {};
    return source_->index(index.row(), std::max(sourceColumns_[index.column()], 0));
}

bool GridColumnProxy::isCell(const QModelIndex& index) const
{
    // Views ask about the invalid index too; that is no mistake to warn of.
    return index.isValid()
        && checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid);
}

int GridColumnProxy::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !source_ ? 0 : source_->rowCount();
}

int GridColumnProxy::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridColumnProxy::sourceValue(int row, int column) const
{
    const int sourceColumn = sourceColumns_[column];
    if (sourceColumn < 0)
        return source_->data(source_->index(row, 0), TableModel::RecIdRole);
    return source_->data(source_->index(row, sourceColumn), Qt::EditRole);
}

QVariant GridColumnProxy::data(const QModelIndex& index, int role) const
{
    if (!source_ || !isCell(index))
        return {};
    const GridColumn& column = columns_[index.column()];
    const QVariant value = sourceValue(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (column.kind == GridColumn::Kind::CheckBox)
            return {};
        if (column.kind == GridColumn::Kind::ValueList && value.isValid()) {
            for (const GridColumn::Value& item : column.values) {
                if (item.value == value.toInt())
                    return item.text;
            }
        }
        return value;
    case Qt::EditRole:
        return value;
    case Qt::CheckStateRole:
        if (column.kind != GridColumn::Kind::CheckBox)
            return {};
        return value.isValid() && value.toInt() == 1 ? Qt::Checked : Qt::Unchecked;
    case TableModel::RecIdRole:
        return source_->data(source_->index(index.row(), 0), TableModel::RecIdRole);
    default:
        return {};
    }
}

QVariant GridColumnProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < columnCount()) {
        const GridColumn& column = columns_[section];
        return column.caption.isEmpty() ? column.field : column.caption;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridColumnProxy::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const GridColumn& column = columns_[index.column()];
    if (readOnly_ || !column.editable || sourceColumns_[index.column()] < 0)
        return flags;
    return flags | (column.kind == GridColumn::Kind::CheckBox ? Qt::ItemIsUserCheckable
                                                               : Qt::ItemIsEditable);
}

bool GridColumnProxy::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!source_ || !isCell(index))
        return false;
    const GridColumn& column = columns_[index.column()];
    const Qt::ItemFlags allowed = flags(index);
    if (column.kind == GridColumn::Kind::CheckBox) {
        if (role != Qt::CheckStateRole || !(allowed & Qt::ItemIsUserCheckable))
            return false;
        const bool ticked = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
        if (!source_->setData(mapToSource(index), ticked ? 1 : 0, Qt::EditRole))
            return false;
        emit checkToggled(index.row(), column.field);
        return true;
    }
    if (role != Qt::EditRole || !(allowed & Qt::ItemIsEditable))
        return false;
    return source_->setData(mapToSource(index), value, Qt::EditRole);
}

}  // namespace tavlo
