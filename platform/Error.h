#pragma once

#include <QString>
#include <stdexcept>

namespace tavlo {

// The one exception type of the program. It carries the message the
// operator sees in the error box, in Unicode; what() gives it as UTF-8.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

// The message of any exception, for the error box.
QString messageOf(const std::exception& e);

}  // namespace tavlo
