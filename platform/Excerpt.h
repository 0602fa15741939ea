#pragma once

#include <QString>

namespace tavlo {

// At most this many characters of a text are quoted in a message.
constexpr qsizetype kExcerptLength = 80;

// The text to quote in a message about bad input: the text itself when it
// is short, else its first kExcerptLength characters followed by "…". A
// damaged file can hold a line of millions of characters, which an error
// box would take long to lay out and could not show anyway.
QString excerpt(const QString& text);

}  // namespace tavlo
