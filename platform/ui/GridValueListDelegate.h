#pragma once

#include "platform/ui/GridColumn.h"

#include <QStyledItemDelegate>

namespace tavlo {

// Edits a value-list cell with a pick list of the list's texts and writes
// the value behind the chosen text. The cell's text itself comes from the
// grid's columns.
class GridValueListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    GridValueListDelegate(QList<GridColumn::Value> values, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    QList<GridColumn::Value> values_;
};

}  // namespace tavlo
