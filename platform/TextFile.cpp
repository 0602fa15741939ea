#include "platform/TextFile.h"

#include "platform/Cp1254.h"
#include "platform/Error.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlo::textfile {
namespace {

Error cannotCreate(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}

// Closes a file handle when the scope ends.
class HandleCloser {
public:
    explicit HandleCloser(int handle) : handle_(handle) {}
    ~HandleCloser() { ::close(handle_); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    int handle_;
};

bool isLackOfRoom(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

// The write of a file whose folder takes no new file: the bytes go over the
// old ones. Room for the longer content is taken before any byte changes, so
// that a full disk leaves the old file as it was.
void writeInPlace(const QString& path, const QByteArray& content)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (handle < 0)
        throw cannotCreate(path, qt_error_string(errno));
    const HandleCloser closer(handle);

    struct stat status{};
    if (::fstat(handle, &status) != 0)
        throw cannotCreate(path, qt_error_string(errno));
    const off_t oldSize = status.st_size;
    const auto newSize = static_cast<off_t>(content.size());
    if (newSize > oldSize) {
        // A file system that cannot reserve room for other reasons is
        // written all the same, as it would be without the reservation.
        const int reserved = ::posix_fallocate(handle, 0, newSize);
        if (reserved != 0 && isLackOfRoom(reserved)) {
            // Gives back what a partial reservation added past the old end.
            [[maybe_unused]] const int ignored = ::ftruncate(handle, oldSize);
            throw cannotCreate(path, qt_error_string(reserved));
        }
    }
    if (const int error = writeAll(handle, content))
        throw cannotCreate(path, qt_error_string(error));
    if (::ftruncate(handle, newSize) != 0 || ::fsync(handle) != 0)
        throw cannotCreate(path, qt_error_string(errno));
}

}  // namespace

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return content;
}

void writeAtomically(const QString& path, const QByteArray& content)
{
    // Unbuffered, and written through its handle: a short write then gives
    // the system's reason, where Qt's own write would report none.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        writeInPlace(path, content);
        return;
    }
    if (const int error = writeAll(file.handle(), content))
        throw cannotCreate(path, qt_error_string(error));
    // QSaveFile syncs before the rename but does not say when that fails.
    if (::fsync(file.handle()) != 0)
        throw cannotCreate(path, qt_error_string(errno));
    if (!file.commit())
        throw cannotCreate(path, file.errorString());
    // An uncommitted QSaveFile removes its temporary file when it goes.
}

int writeAll(int handle, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(handle, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

QByteArrayList splitLines(const QByteArray& content)
{
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = content.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < size && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(content.mid(start));
    return lines;
}

QStringList decodeLines(const QByteArray& content)
{
    static const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");
    const bool utf8 = content.startsWith(kUtf8Mark);
    QStringList lines;
    // UTF-8 never uses the bytes of CR and LF inside a character, so the
    // lines split the same in either encoding.
    for (const QByteArray& line : splitLines(utf8 ? content.mid(kUtf8Mark.size()) : content))
        lines.append(utf8 ? QString::fromUtf8(line) : cp1254::decode(line));
    return lines;
}

}  // namespace tavlo::textfile
