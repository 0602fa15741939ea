#include "store/TableModel.h"

#include "platform/Error.h"
#include "platform/Guard.h"
#include "store/Table.h"

#include <limits>

namespace tavlo {
namespace {

void write(Table& table, const QString& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        table.setNull(field);
    } else if (value.typeId() == QMetaType::QString) {
        table.setString(field, value.toString());
    } else {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < std::numeric_limits<qint32>::min()
            || number > std::numeric_limits<qint32>::max())
            throw Error(QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
        table.setInteger(field, static_cast<qint32>(number));
    }
}

}  // namespace

TableModel::TableModel(Table& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), rows_(table.rowCount())
{
    table_.addListener(this);
}

TableModel::~TableModel()
{
    table_.removeListener(this);
}

int TableModel::columnOf(const QString& field) const
{
    return table_.findField(field).value_or(-1);
}

bool TableModel::isCell(const QModelIndex& index) const
{
    // Views ask about the invalid index too; that is no mistake to warn of.
    return index.isValid()
        && checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid);
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.fields().size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return table_.value(index.row(), index.column());
    case RecIdRole:
        if (index.row() < table_.rowCount())
            return table_.recIdAt(index.row());
        return {};
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < columnCount())
        return table_.fields()[section].name;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index) || index.row() >= table_.rowCount())
        return false;
    const QString field = table_.fields()[index.column()].name;
    return guarded([&] {
        if (table_.currentRow() != index.row())
            table_.moveTo(index.row());
        // A row that someone else is editing or inserting stays theirs to
        // post or cancel.
        const bool ownEdit = table_.state() == Table::State::Browse;
        table_.edit();
        try {
            write(table_, field, value);
        } catch (...) {
            if (ownEdit)
                table_.cancel();
            throw;
        }
        if (ownEdit)
            table_.post();
    });
}

int TableModel::currentRow() const
{
    return table_.currentRow();
}

void TableModel::setCurrentRow(int row)
{
    if (changingRows_ || table_.controlsDisabled() || !table_.isOpen()
        || row == table_.currentRow() || row < 0 || row >= table_.rowCount())
        return;
    guarded([&] { table_.moveTo(row); });
}

void TableModel::tableAboutToBeReset()
{
    changingRows_ = true;
    beginResetModel();
}

void TableModel::tableReset()
{
    rows_ = table_.rowCount();
    endResetModel();
    changingRows_ = false;
}

void TableModel::rowAboutToBeInserted(int row)
{
    changingRows_ = true;
    beginInsertRows({}, row, row);
}

void TableModel::rowInserted(int)
{
    ++rows_;
    endInsertRows();
    changingRows_ = false;
}

void TableModel::rowAboutToBeRemoved(int row)
{
    changingRows_ = true;
    beginRemoveRows({}, row, row);
}

void TableModel::rowRemoved(int)
{
    --rows_;
    endRemoveRows();
    changingRows_ = false;
}

void TableModel::rowsChanged(int first, int last)
{
    last = std::min(last, rows_ - 1);
    if (first < 0 || first > last || columnCount() == 0)
        return;
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

void TableModel::currentChanged(int row)
{
    emit currentRowChanged(row);
}

}  // namespace tavlo
