#include "transfer/SaveJournal.h"

#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr auto kSaving = "saving";
constexpr auto kSaved = "saved";
// The first line of a note file that names its terminals' records. A file
// without it is a single note of the older kind: stage, movement file and
// size, backup file and size.
constexpr auto kHeader = "Aktarim 2";
constexpr qsizetype kOldLines = 5;
constexpr qsizetype kEntryLines = 8;
// More notes than terminals a site could have means the file is not ours.
constexpr qsizetype kMaxEntries = 100000;

// Cuts a file back to an earlier size, durably. A file that is already
// shorter, or missing, is left as it is: its save never began, or the lines
// were already cut back.
void cutBackTo(const QString& path, qint64 size)
{
    if (QFileInfo(path).size() <= size)
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, qt_error_string(errno)));
    const bool cut = ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    const int reason = errno;
    ::close(fd);
    if (!cut)
        throw Error(QStringLiteral("Cannot write to file \"%1\". %2").arg(path, qt_error_string(reason)));
}

std::optional<qint64> size(const QByteArray& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

std::optional<SaveJournal::Stage> stage(const QByteArray& text)
{
    if (text == kSaving)
        return SaveJournal::Stage::Saving;
    if (text == kSaved)
        return SaveJournal::Stage::Saved;
    return std::nullopt;
}

QByteArray oneLine(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    std::replace(bytes.begin(), bytes.end(), '\n', ' ');
    std::replace(bytes.begin(), bytes.end(), '\r', ' ');
    return bytes;
}

std::optional<SaveJournal::Entry> parseOld(const QByteArrayList& lines)
{
    const auto st = stage(lines[0]);
    const auto movementSize = size(lines[2]);
    const auto backupSize = size(lines[4]);
    if (!st || !movementSize || !backupSize)
        return std::nullopt;
    SaveJournal::Entry entry;
    entry.stage = *st;
    entry.movementPath = QString::fromUtf8(lines[1]);
    entry.movementSize = *movementSize;
    entry.backupPath = QString::fromUtf8(lines[3]);
    entry.backupSize = *backupSize;
    return entry;
}

std::optional<SaveJournal::Entry> parseEntry(const QByteArrayList& lines, qsizetype at)
{
    const auto st = stage(lines[at]);
    const auto logStart = size(lines[at + 2]);
    const auto logCount = size(lines[at + 3]);
    const auto movementSize = size(lines[at + 5]);
    const auto backupSize = size(lines[at + 7]);
    if (!st || !logStart || !logCount || !movementSize || !backupSize)
        return std::nullopt;
    SaveJournal::Entry entry;
    entry.stage = *st;
    entry.terminal = QString::fromUtf8(lines[at + 1]);
    entry.logStart = *logStart;
    entry.logCount = *logCount;
    entry.movementPath = QString::fromUtf8(lines[at + 4]);
    entry.movementSize = *movementSize;
    entry.backupPath = QString::fromUtf8(lines[at + 6]);
    entry.backupSize = *backupSize;
    return entry;
}

}  // namespace

SaveJournal::SaveJournal(QString path) : path_(std::move(path)) {}

std::vector<SaveJournal::Entry> SaveJournal::read() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArrayList lines = textfile::splitLines(file.readAll());
    if (lines.size() == kOldLines) {
        if (auto entry = parseOld(lines))
            return {*entry};
        return {};
    }
    if (lines.isEmpty() || lines[0] != kHeader || (lines.size() - 1) % kEntryLines != 0
        || (lines.size() - 1) / kEntryLines > kMaxEntries)
        return {};
    std::vector<Entry> entries;
    for (qsizetype at = 1; at < lines.size(); at += kEntryLines) {
        auto entry = parseEntry(lines, at);
        if (!entry)
            return {};
        entries.push_back(std::move(*entry));
    }
    return entries;
}

void SaveJournal::write(const std::vector<Entry>& entries) const
{
    if (entries.empty()) {
        if (QFile::exists(path_) && !QFile::remove(path_))
            throw Error(QStringLiteral("Cannot remove file \"%1\".").arg(path_));
        return;
    }
    QByteArray text = QByteArray(kHeader) + '\n';
    for (const Entry& e : entries) {
        text += (e.stage == Stage::Saving ? kSaving : kSaved);
        text += '\n' + oneLine(e.terminal);
        text += '\n' + QByteArray::number(e.logStart) + '\n' + QByteArray::number(e.logCount);
        text += '\n' + oneLine(e.movementPath) + '\n' + QByteArray::number(e.movementSize);
        text += '\n' + oneLine(e.backupPath) + '\n' + QByteArray::number(e.backupSize) + '\n';
    }
    textfile::writeAtomically(path_, text);
}

void SaveJournal::recover() const
{
    const std::vector<Entry> entries = read();
    std::vector<Entry> kept;
    for (const Entry& e : entries) {
        if (e.stage == Stage::Saving) {
            cutBackTo(e.movementPath, e.movementSize);
            cutBackTo(e.backupPath, e.backupSize);
        } else if (!e.terminal.isEmpty()) {
            kept.push_back(e);
        }
    }
    // A note of the older kind that says "saved" names no records to
    // confirm: its lines are kept, as they always were.
    write(kept);
}

std::optional<SaveJournal::Entry> SaveJournal::unconfirmed(const QString& terminal) const
{
    for (const Entry& e : read())
        if (e.stage == Stage::Saved && e.terminal == terminal)
            return e;
    return std::nullopt;
}

void SaveJournal::put(const Entry& entry) const
{
    std::vector<Entry> entries = read();
    std::erase_if(entries, [&](const Entry& e) { return e.terminal == entry.terminal; });
    entries.push_back(entry);
    write(entries);
}

void SaveJournal::forget(const QString& terminal) const
{
    std::vector<Entry> entries = read();
    const auto removed = std::erase_if(entries, [&](const Entry& e) { return e.terminal == terminal; });
    if (removed > 0)
        write(entries);
}

}  // namespace tavlo
