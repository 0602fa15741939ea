#pragma once

#include <QString>

#include <ostream>

namespace tavlo::test {

// What a terminal row of the transfer grid shows: its status text and its
// progress.
struct RowShows {
    QString text;
    qint32 progress = 0;

    friend bool operator==(const RowShows&, const RowShows&) = default;
    friend void PrintTo(const RowShows& r, std::ostream* os)
    {
        *os << '"' << r.text.toStdString() << "\" " << r.progress;
    }
};

}  // namespace tavlo::test
