#include "platform/Excerpt.h"

namespace tavlo {

QString excerpt(const QString& text)
{
    if (text.size() <= kExcerptLength)
        return text;
    qsizetype length = kExcerptLength;
    // A character of two UTF-16 units is kept whole or left out.
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + QChar(0x2026);
}

}  // namespace tavlo
