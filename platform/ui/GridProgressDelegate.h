#pragma once

#include <QStyleOptionProgressBar>
#include <QStyledItemDelegate>

namespace tavlo {

// Draws an integer percentage as a progress bar with the value as its text.
// A value above 100 fills the bar and still shows itself; an empty cell
// shows 0.
class GridProgressDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QStyleOptionProgressBar barOption(const QStyleOptionViewItem& cell, const QVariant& value);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace tavlo
