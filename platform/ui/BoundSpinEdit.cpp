#include "platform/ui/BoundSpinEdit.h"

#include "platform/Guard.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace tavlo {

BoundSpinEdit::BoundSpinEdit(Table& table, IntField field, QWidget* parent)
    : QAbstractSpinBox(parent), link_(table, field, [this] { refresh(); })
{
    if (link_.def().type == FieldType::SmallInteger) {
        minimum_ = std::numeric_limits<qint16>::min();
        maximum_ = std::numeric_limits<qint16>::max();
    } else {
        minimum_ = std::numeric_limits<qint32>::min();
        maximum_ = std::numeric_limits<qint32>::max();
    }
    connect(lineEdit(), &QLineEdit::textEdited, this, &BoundSpinEdit::textTyped);
    connect(this, &QAbstractSpinBox::editingFinished, this, &BoundSpinEdit::showField);
}

BoundSpinEdit::~BoundSpinEdit() = default;

std::optional<qint32> BoundSpinEdit::value() const
{
    bool ok = false;
    const qlonglong number = text().trimmed().toLongLong(&ok, 10);
    if (!ok || number < minimum_ || number > maximum_)
        return std::nullopt;
    return static_cast<qint32>(number);
}

QValidator::State BoundSpinEdit::validate(QString& input, int& /*pos*/) const
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return QValidator::Acceptable;
    if (text == QLatin1String("-") || text == QLatin1String("+"))
        return QValidator::Intermediate;
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, 10);
    if (!ok || number < minimum_ || number > maximum_)
        return QValidator::Invalid;
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled BoundSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const std::optional<qint32> shown = value();
    StepEnabled enabled = StepNone;
    if (!shown || *shown < maximum_)
        enabled |= StepUpEnabled;
    if (!shown || *shown > minimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

void BoundSpinEdit::stepBy(int steps)
{
    // An empty editor steps from 0.
    const qlonglong next = std::clamp<qlonglong>(qlonglong{value().value_or(0)} + steps, minimum_,
                                                 maximum_);
    lineEdit()->setText(QString::number(next));
    store(static_cast<qint32>(next));
}

void BoundSpinEdit::textTyped(const QString& text)
{
    QString input = text;
    int pos = 0;
    if (validate(input, pos) != QValidator::Acceptable)
        return;
    store(value());
}

void BoundSpinEdit::store(std::optional<qint32> value)
{
    if (!guarded([&] { link_.write(value ? QVariant(*value) : QVariant()); }))
        showField();
}

std::optional<qint32> BoundSpinEdit::held() const
{
    const QVariant field = link_.value();
    if (!field.isValid())
        return std::nullopt;
    return field.toInt();
}

void BoundSpinEdit::refresh()
{
    if (value() != held())
        showField();
}

void BoundSpinEdit::showField()
{
    const std::optional<qint32> number = held();
    const QString shown = number ? QString::number(*number) : QString();
    if (lineEdit()->text() != shown)
        lineEdit()->setText(shown);
}

void BoundSpinEdit::showEvent(QShowEvent* event)
{
    link_.follow(true);
    showField();
    QAbstractSpinBox::showEvent(event);
}

void BoundSpinEdit::hideEvent(QHideEvent* event)
{
    link_.follow(false);
    QAbstractSpinBox::hideEvent(event);
}

}  // namespace tavlo
