#include "platform/Error.h"

namespace tavlo {

QString messageOf(const std::exception& e)
{
    if (const auto* error = dynamic_cast<const Error*>(&e))
        return error->message();
    return QString::fromUtf8(e.what());
}

}  // namespace tavlo
