#pragma once

#include <QDate>
#include <QWidget>

#include <optional>

class QLineEdit;
class QToolButton;

namespace tavlo {

// A date editor that may be left empty: the date is typed as gg.aa.yyyy or
// picked from a calendar. Text that is not a date of the calendar counts as
// empty and is marked, so the operator sees that it will not be used.
class OptionalDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    std::optional<QDate> date() const;
    void setDate(const std::optional<QDate>& date);
    QLineEdit* lineEdit() const { return text_; }

    static constexpr auto kFormat = "dd.MM.yyyy";

signals:
    void dateChanged();

private:
    void showCalendar();
    void markValidity();

    QLineEdit* text_;
    QToolButton* calendarButton_;
};

}  // namespace tavlo
