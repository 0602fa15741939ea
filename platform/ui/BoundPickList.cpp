#include "platform/ui/BoundPickList.h"

#include "platform/Error.h"
#include "platform/Guard.h"

namespace tavlo {

BoundPickList::BoundPickList(Table& table, IntField field, const QList<GridColumn::Value>& values,
                             QWidget* parent)
    : QComboBox(parent), link_(table, field, [this] { refresh(); })
{
    for (const GridColumn::Value& entry : values)
        addItem(entry.text, entry.value);
    setCurrentIndex(-1);
    connect(this, &QComboBox::activated, this, &BoundPickList::chosen);
}

BoundPickList::~BoundPickList() = default;

std::optional<qint32> BoundPickList::value() const
{
    if (currentIndex() < 0)
        return std::nullopt;
    return currentData().toInt();
}

void BoundPickList::setValue(qint32 value)
{
    const int index = findData(value);
    if (index < 0)
        throw Error(QStringLiteral("%1 is not a value of the list").arg(value));
    setCurrentIndex(index);
    link_.write(value);
}

void BoundPickList::chosen(int index)
{
    if (index < 0)
        return;
    if (!guarded([&] { link_.write(itemData(index).toInt()); }))
        refresh();
}

void BoundPickList::refresh()
{
    const QVariant field = link_.value();
    const int index = field.isValid() ? findData(field.toInt()) : -1;
    if (index != currentIndex())
        setCurrentIndex(index);
}

void BoundPickList::showEvent(QShowEvent* event)
{
    link_.follow(true);
    refresh();
    QComboBox::showEvent(event);
}

void BoundPickList::hideEvent(QHideEvent* event)
{
    link_.follow(false);
    QComboBox::hideEvent(event);
}

}  // namespace tavlo
