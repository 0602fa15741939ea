#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Lets GoogleTest print Qt texts readably in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts.at(i), os);
    }
    *os << '}';
}
QT_END_NAMESPACE
