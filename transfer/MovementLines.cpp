#include "transfer/MovementLines.h"

#include <algorithm>

namespace tavlo {
namespace {

constexpr qsizetype kPiece = 1 << 20;

}  // namespace

QByteArray& MovementLines::room(qsizetype bytes)
{
    if (pieces_.empty() || pieces_.back().size() + bytes > pieces_.back().capacity()) {
        pieces_.emplace_back();
        pieces_.back().reserve(std::max(kPiece, bytes));
    }
    return pieces_.back();
}

void MovementLines::add(const MovementRecord& record)
{
    // The line is written straight into the piece's spare room, which the
    // piece reserved once, so a line costs no allocation and no copy.
    const qsizetype bound = movementLineBound(record) + 2;
    QByteArray& piece = room(bound);
    const qsizetype start = piece.size();
    piece.resize(start + bound);
    char* out = piece.data() + start;
    if (count_ > 0) {
        *out++ = '\r';
        *out++ = '\n';
    }
    piece.truncate(writeMovementLine(out, record) - piece.constData());
    size_ += piece.size() - start;
    ++count_;
}

void MovementLines::add(QByteArrayView line)
{
    QByteArray& piece = room(line.size() + 2);
    const qsizetype start = piece.size();
    if (count_ > 0)
        piece.append("\r\n", 2);
    piece.append(line);
    size_ += piece.size() - start;
    ++count_;
}

void MovementLines::clear()
{
    pieces_.clear();
    count_ = 0;
    size_ = 0;
}

}  // namespace tavlo
