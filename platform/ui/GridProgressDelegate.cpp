#include "platform/ui/GridProgressDelegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace tavlo {

QStyleOptionProgressBar GridProgressDelegate::barOption(const QStyleOptionViewItem& cell,
                                                        const QVariant& value)
{
    QStyleOptionProgressBar bar;
    bar.rect = cell.rect.adjusted(2, 2, -2, -2);
    bar.palette = cell.palette;
    bar.fontMetrics = cell.fontMetrics;
    bar.direction = cell.direction;
    bar.state = (cell.state & QStyle::State_Enabled) | QStyle::State_Horizontal;
    const int percent = value.toInt();
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = std::clamp(percent, 0, 100);
    bar.text = QStringLiteral("%1%").arg(percent);
    bar.textVisible = true;
    bar.textAlignment = Qt::AlignCenter;
    return bar;
}

void GridProgressDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The cell's own background first, so a selected row stays marked.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    const QStyleOptionProgressBar bar = barOption(cell, index.data(Qt::EditRole));
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

}  // namespace tavlo
