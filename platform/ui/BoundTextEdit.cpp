#include "platform/ui/BoundTextEdit.h"

#include "platform/Guard.h"

namespace tavlo {

BoundTextEdit::BoundTextEdit(Table& table, TextField field, QWidget* parent)
    : QLineEdit(parent), link_(table, field, [this] { refresh(); })
{
    if (link_.def().width > 0)
        setMaxLength(link_.def().width);
    connect(this, &QLineEdit::textEdited, this, &BoundTextEdit::store);
}

BoundTextEdit::~BoundTextEdit() = default;

void BoundTextEdit::refresh()
{
    const QString shown = link_.value().toString();
    if (text() != shown)
        setText(shown);
}

void BoundTextEdit::store(const QString& text)
{
    if (!guarded([&] { link_.write(text); }))
        refresh();
}

void BoundTextEdit::showEvent(QShowEvent* event)
{
    link_.follow(true);
    refresh();
    QLineEdit::showEvent(event);
}

void BoundTextEdit::hideEvent(QHideEvent* event)
{
    link_.follow(false);
    QLineEdit::hideEvent(event);
}

}  // namespace tavlo
