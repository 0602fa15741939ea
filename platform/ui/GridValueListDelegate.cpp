#include "platform/ui/GridValueListDelegate.h"

#include <QComboBox>

namespace tavlo {

GridValueListDelegate::GridValueListDelegate(QList<GridColumn::Value> values, QObject* parent)
    : QStyledItemDelegate(parent), values_(std::move(values))
{
}

QWidget* GridValueListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex&) const
{
    auto* editor = new QComboBox(parent);
    for (const GridColumn::Value& item : values_)
        editor->addItem(item.text, item.value);
    return editor;
}

void GridValueListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* list = qobject_cast<QComboBox*>(editor);
    const QVariant value = index.data(Qt::EditRole);
    if (list)
        list->setCurrentIndex(value.isValid() ? list->findData(value.toInt()) : -1);
}

void GridValueListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const
{
    auto* list = qobject_cast<QComboBox*>(editor);
    if (list && list->currentIndex() >= 0)
        model->setData(index, list->currentData(), Qt::EditRole);
}

}  // namespace tavlo
