#pragma once

#include "platform/Dialogs.h"
#include "platform/Error.h"

#include <exception>
#include <utility>

namespace tavlo {

// Runs an event handler so that no exception leaves it: the message of an
// exception is shown in the error box and the program goes on. Returns false
// when the handler ended with an exception.
template <typename Handler>
bool guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& e) {
        dialogs().showError(messageOf(e));
    } catch (...) {
        dialogs().showError(QStringLiteral("Beklenmeyen bir hata oluştu."));
    }
    return false;
}

}  // namespace tavlo
