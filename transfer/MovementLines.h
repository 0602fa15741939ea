#pragma once

#include <QByteArray>

namespace tavlo {

// The movement lines one terminal delivered, held until they are saved:
// joined by CR LF, with no break after the last, so that they can be added
// to a file that does or does not end with a line break.
class MovementLines {
public:
    void add(const QByteArray& line)
    {
        if (count_ > 0)
            joined_.append("\r\n", 2);
        joined_.append(line);
        ++count_;
    }
    void clear()
    {
        joined_.clear();
        count_ = 0;
    }

    qsizetype count() const { return count_; }
    const QByteArray& joined() const { return joined_; }

private:
    QByteArray joined_;
    qsizetype count_ = 0;
};

}  // namespace tavlo
