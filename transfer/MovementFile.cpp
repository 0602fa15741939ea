#include "transfer/MovementFile.h"

#include "platform/Error.h"
#include "platform/TextFile.h"
#include "transfer/MovementLines.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr qint64 kChunk = 1 << 20;

Error cannotOpen(const QString& path, const QFileDevice& file)
{
    return Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
}

Error cannotWrite(const QString& path, const QFileDevice& file)
{
    return Error(QStringLiteral("Cannot write to file \"%1\". %2").arg(path, file.errorString()));
}

// The system's reason, from the error number of the call that failed.
Error cannotWrite(const QString& path, int error)
{
    return Error(QStringLiteral("Cannot write to file \"%1\". %2").arg(path, qt_error_string(error)));
}

// Follows the line breaks of a text read in pieces: whether any of them is
// not CR LF, and whether the text ends with one. A text has only CR LF
// breaks when each LF comes right after a CR and each CR right before an LF,
// that is when every byte is an LF exactly when the byte before it is a CR.
// Tested that way, byte pair by byte pair without branches, the scan of a
// movement file of millions of lines runs at the speed of memory.
class BreakScanner {
public:
    void feed(const char* data, qint64 size)
    {
        if (size <= 0)
            return;
        const auto* d = reinterpret_cast<const unsigned char*>(data);
        unsigned char foreign = (d[0] == '\n') ^ previousCr_;
        constexpr qint64 kBlock = 64;
        qint64 i = 0;
        for (; i + kBlock < size; i += kBlock) {
            unsigned char block = 0;
            for (qint64 k = 0; k < kBlock; ++k)
                block |= (d[i + k + 1] == '\n') ^ (d[i + k] == '\r');
            foreign |= block;
        }
        for (; i + 1 < size; ++i)
            foreign |= (d[i + 1] == '\n') ^ (d[i] == '\r');
        foreign_ = foreign_ || foreign;
        previousCr_ = d[size - 1] == '\r';
        last_ = static_cast<char>(d[size - 1]);
        any_ = true;
    }
    void finish()
    {
        if (previousCr_)
            foreign_ = true;  // a lone CR at the end
    }

    bool hasForeignBreaks() const { return foreign_; }
    bool endsWithBreak() const { return !any_ || last_ == '\n' || last_ == '\r'; }

private:
    unsigned char previousCr_ = 0;
    bool foreign_ = false;
    bool any_ = false;
    char last_ = 0;
};

// Lines that were not confirmed to the terminal must not stay in the file,
// even across a crash right after.
bool truncateDurably(int handle, qint64 size)
{
    return ::ftruncate(handle, static_cast<off_t>(size)) == 0 && ::fsync(handle) == 0;
}

}  // namespace

MovementFile::MovementFile(QString path) : path_(std::move(path)) {}

void MovementFile::load()
{
    if (!QFileInfo::exists(path_)) {
        QFile created(path_);
        if (created.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            created.close();
        size_ = 0;
        endsWithBreak_ = true;
        return;
    }

    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(path_, file);
    BreakScanner scanner;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), kChunk);
        if (read < 0)
            throw cannotOpen(path_, file);
        if (read == 0)
            break;
        scanner.feed(chunk.constData(), read);
    }
    scanner.finish();
    size_ = file.size();
    endsWithBreak_ = scanner.endsWithBreak();
    file.close();

    if (scanner.hasForeignBreaks())
        rewriteWithCrLf();
}

void MovementFile::rewriteWithCrLf()
{
    QFile in(path_);
    if (!in.open(QIODevice::ReadOnly))
        throw cannotOpen(path_, in);
    // Written through its handle without a buffer, so that a failed write
    // gives the system's reason (Qt's own write reports none for a short one).
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotWrite(path_, out);

    QByteArray chunk(kChunk, Qt::Uninitialized);
    QByteArray converted;
    bool pendingCr = false;
    qint64 written = 0;
    for (;;) {
        const qint64 read = in.read(chunk.data(), kChunk);
        if (read < 0)
            throw cannotOpen(path_, in);
        if (read == 0)
            break;
        converted.clear();
        for (qint64 i = 0; i < read; ++i) {
            const char c = chunk.at(i);
            if (c == '\n') {
                if (!pendingCr)
                    converted.append('\r');
                converted.append('\n');
            } else {
                if (pendingCr)
                    converted.append('\n');
                if (c == '\r')
                    converted.append('\r');
                else
                    converted.append(c);
            }
            pendingCr = c == '\r';
        }
        if (const int error = textfile::writeAll(out.handle(), converted))
            throw cannotWrite(path_, error);
        written += converted.size();
    }
    if (pendingCr) {
        if (const int error = textfile::writeAll(out.handle(), "\n"))
            throw cannotWrite(path_, error);
        ++written;
    }
    // QSaveFile syncs before the rename but does not say when that fails.
    if (::fsync(out.handle()) != 0)
        throw cannotWrite(path_, errno);
    if (!out.commit())
        throw cannotWrite(path_, out);
    size_ = written;
}

void MovementFile::append(const MovementLines& lines)
{
    if (lines.count() == 0)
        return;
    // Unbuffered: after a failed write everything that reached the file is
    // on the disk, where cutting back removes it. A write buffer would keep
    // the rest and retry it, so the file could not be cut back and the rest
    // could land later.
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw cannotOpen(path_, file);
    const qint64 before = file.size();

    // Written through the handle, so that a write the disk takes only in
    // part gives the system's reason ("No space left on device"); Qt's own
    // write reports a short write without one.
    const int handle = file.handle();
    int error = endsWithBreak_ ? 0 : textfile::writeAll(handle, "\r\n");
    for (const QByteArray& piece : lines.pieces()) {
        if (error == 0)
            error = textfile::writeAll(handle, piece);
    }
    if (error == 0 && endsWithBreak_)
        error = textfile::writeAll(handle, "\r\n");
    if (error == 0 && ::fsync(handle) != 0)
        error = errno;
    if (error != 0) {
        truncateDurably(handle, before);
        throw cannotWrite(path_, error);
    }
    size_ = before + lines.size() + 2;
}

void MovementFile::cutBack(qint64 size)
{
    QFile file(path_);
    if (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) && truncateDurably(file.handle(), size))
        size_ = size;
}

}  // namespace tavlo
