#pragma once

#include "transfer/MovementLine.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace tavlo {

// The movement lines one terminal delivered, held until they are saved:
// joined by CR LF, with no break after the last, so that they can be added
// to a file that does or does not end with a line break. The text is kept
// in pieces of about a megabyte that are never moved once filled, so that
// holding the lines of a full terminal costs little more than their bytes.
class MovementLines {
public:
    void add(const MovementRecord& record);
    void add(QByteArrayView line);
    void clear();

    qsizetype count() const { return count_; }
    // The bytes of the joined text.
    qint64 size() const { return size_; }
    // The joined text, piece after piece.
    const std::vector<QByteArray>& pieces() const { return pieces_; }

private:
    // The piece with room for `bytes` more bytes.
    QByteArray& room(qsizetype bytes);

    std::vector<QByteArray> pieces_;
    qsizetype count_ = 0;
    qint64 size_ = 0;
};

}  // namespace tavlo
