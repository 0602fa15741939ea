#include "platform/ui/FieldLink.h"

#include "platform/Error.h"
#include "store/Table.h"

namespace tavlo {

FieldLink::FieldLink(Table& table, const QString& field, std::function<void()> changed)
    : table_(table), changed_(changed ? std::move(changed) : [] {})
{
    const auto index = table_.findField(field);
    if (!index)
        throw Error(QStringLiteral("%1: Field '%2' not found").arg(table_.name(), field));
    field_ = *index;
}

FieldLink::FieldLink(Table& table, IntField field, std::function<void()> changed)
    : FieldLink(table, field.text(), std::move(changed))
{
}

FieldLink::FieldLink(Table& table, TextField field, std::function<void()> changed)
    : FieldLink(table, field.text(), std::move(changed))
{
}

FieldLink::~FieldLink()
{
    follow(false);
}

const FieldDef& FieldLink::def() const
{
    return table_.fields()[field_];
}

QVariant FieldLink::value() const
{
    return table_.value(table_.currentRow(), field_);
}

void FieldLink::write(const QVariant& value)
{
    if (table_.state() != Table::State::Edit && table_.state() != Table::State::Insert)
        table_.edit();
    const QString& name = def().name;
    if (!value.isValid())
        table_.setNull(name);
    else if (value.typeId() == QMetaType::QString)
        table_.setString(name, value.toString());
    else
        table_.setInteger(name, value.toInt());
}

void FieldLink::follow(bool on)
{
    if (on == following_)
        return;
    following_ = on;
    if (on)
        table_.addListener(this);
    else
        table_.removeListener(this);
}

void FieldLink::rowsChanged(int first, int last)
{
    const int row = table_.currentRow();
    if (row >= first && row <= last)
        changed_();
}

}  // namespace tavlo
