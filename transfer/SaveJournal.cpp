#include "transfer/SaveJournal.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr auto kSaving = "saving";
constexpr auto kSaved = "saved";

// Cuts a file back to an earlier size, durably; a file that is already
// shorter, or missing, is left as it is.
void cutBackTo(const QString& path, qint64 size)
{
    if (QFileInfo(path).size() <= size)
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::ftruncate(fd, size) == 0)
        ::fsync(fd);
    ::close(fd);
}

}  // namespace

SaveJournal::SaveJournal(QString path) : path_(std::move(path)) {}

void SaveJournal::write(const Entry& entry) const
{
    QByteArray text;
    text += (entry.stage == Stage::Saving ? kSaving : kSaved);
    text += '\n' + entry.movementPath.toUtf8() + '\n' + QByteArray::number(entry.movementSize);
    text += '\n' + entry.backupPath.toUtf8() + '\n' + QByteArray::number(entry.backupSize) + '\n';
    textfile::writeAtomically(path_, text);
}

void SaveJournal::remove() const
{
    QFile::remove(path_);
}

std::optional<SaveJournal::Entry> SaveJournal::read() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArrayList lines = textfile::splitLines(file.readAll());
    if (lines.size() != 5 || (lines[0] != kSaving && lines[0] != kSaved))
        return std::nullopt;
    Entry entry;
    bool movementOk = false;
    bool backupOk = false;
    entry.stage = lines[0] == kSaving ? Stage::Saving : Stage::Saved;
    entry.movementPath = QString::fromUtf8(lines[1]);
    entry.movementSize = lines[2].toLongLong(&movementOk);
    entry.backupPath = QString::fromUtf8(lines[3]);
    entry.backupSize = lines[4].toLongLong(&backupOk);
    if (!movementOk || !backupOk || entry.movementSize < 0 || entry.backupSize < 0)
        return std::nullopt;
    return entry;
}

void SaveJournal::recover() const
{
    if (const auto entry = read(); entry && entry->stage == Stage::Saving) {
        cutBackTo(entry->movementPath, entry->movementSize);
        cutBackTo(entry->backupPath, entry->backupSize);
    }
    remove();
}

}  // namespace tavlo
