#include "platform/ui/OptionalDateEdit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace tavlo {

OptionalDateEdit::OptionalDateEdit(QWidget* parent)
    : QWidget(parent), text_(new QLineEdit(this)), calendarButton_(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    text_->setPlaceholderText(QStringLiteral("gg.aa.yyyy"));
    text_->setClearButtonEnabled(true);
    calendarButton_->setText(QStringLiteral("…"));
    calendarButton_->setToolTip(QStringLiteral("Takvimden seç"));
    layout->addWidget(text_, 1);
    layout->addWidget(calendarButton_);
    setFocusProxy(text_);

    connect(calendarButton_, &QToolButton::clicked, this, &OptionalDateEdit::showCalendar);
    connect(text_, &QLineEdit::textChanged, this, [this] {
        markValidity();
        emit dateChanged();
    });
}

std::optional<QDate> OptionalDateEdit::date() const
{
    const QDate parsed = QDate::fromString(text_->text().trimmed(), QLatin1String(kFormat));
    if (!parsed.isValid())
        return std::nullopt;
    return parsed;
}

void OptionalDateEdit::setDate(const std::optional<QDate>& date)
{
    text_->setText(date ? date->toString(QLatin1String(kFormat)) : QString());
}

void OptionalDateEdit::markValidity()
{
    const bool unusable = !text_->text().trimmed().isEmpty() && !date();
    text_->setStyleSheet(unusable ? QStringLiteral("color: #b00020;") : QString());
    text_->setToolTip(unusable ? QStringLiteral("Geçerli bir tarih değil; boş sayılır.") : QString());
}

void OptionalDateEdit::showCalendar()
{
    QMenu popup(this);
    auto* calendar = new QCalendarWidget(&popup);
    calendar->setSelectedDate(date().value_or(QDate::currentDate()));
    auto* action = new QWidgetAction(&popup);
    action->setDefaultWidget(calendar);
    popup.addAction(action);
    connect(calendar, &QCalendarWidget::clicked, &popup, [this, &popup](const QDate& picked) {
        setDate(picked);
        popup.close();
    });
    popup.exec(mapToGlobal(QPoint(0, height())));
}

}  // namespace tavlo
