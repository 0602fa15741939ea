#include "emulator/EnrolmentTable.h"

#include "emulator/UsersFile.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <set>

namespace tavlo::emulator {

EnrolmentTable::EnrolmentTable(const QString& folder) : folder_(folder)
{
    if (!QDir().mkpath(folder_ + "/enrolments"))
        throw Error(QStringLiteral("Cannot create folder \"%1/enrolments\".").arg(folder_));
    load();
}

QString EnrolmentTable::dataPath(Key key) const
{
    return QStringLiteral("%1/enrolments/%2-%3.txt").arg(folder_).arg(key.first).arg(key.second);
}

void EnrolmentTable::load()
{
    const QString path = folder_ + "/users.tsv";
    if (!QFileInfo::exists(path))
        return;
    for (UserRow& row : parseUsers(textfile::readAll(path), path)) {
        const QString data = dataPath(row.key);
        if (QFileInfo::exists(data)) {
            const QByteArrayList lines = textfile::splitLines(textfile::readAll(data));
            for (std::size_t i = 0; i < row.entry.data.size() && i < std::size_t(lines.size()); ++i)
                row.entry.data[i] = lines[static_cast<qsizetype>(i)].trimmed().toInt();
        }
        if (entries_.size() < kMaxEntries)
            entries_[row.key] = row.entry;
    }
}

const StoredEnrolment* EnrolmentTable::find(Key key) const
{
    const auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

std::size_t EnrolmentTable::userCount() const
{
    std::set<std::int32_t> users;
    for (const auto& [key, entry] : entries_)
        users.insert(key.first);
    return users.size();
}

void EnrolmentTable::put(Key key, const StoredEnrolment& entry)
{
    if (!entries_.contains(key) && entries_.size() >= kMaxEntries)
        throw Error(QStringLiteral("The terminal holds at most %1 enrolments.").arg(kMaxEntries));
    saveData(key, entry);
    entries_[key] = entry;
    saveAttributes();
}

void EnrolmentTable::putAttributes(Key key, const StoredEnrolment& entry)
{
    auto it = entries_.find(key);
    if (it == entries_.end())
        return;
    it->second.privilege = entry.privilege;
    it->second.enabled = entry.enabled;
    it->second.password = entry.password;
    saveAttributes();
}

std::size_t EnrolmentTable::removeUser(std::int32_t user)
{
    std::size_t removed = 0;
    for (auto it = entries_.lower_bound({user, INT32_MIN});
         it != entries_.end() && it->first.first == user;) {
        QFile::remove(dataPath(it->first));
        it = entries_.erase(it);
        ++removed;
    }
    if (removed > 0)
        saveAttributes();
    return removed;
}

bool EnrolmentTable::remove(Key key)
{
    if (entries_.erase(key) == 0)
        return false;
    QFile::remove(dataPath(key));
    saveAttributes();
    return true;
}

void EnrolmentTable::saveAttributes() const
{
    std::vector<UserRow> rows;
    rows.reserve(entries_.size());
    for (const auto& [key, entry] : entries_)
        rows.push_back(UserRow{key, entry, false});
    textfile::writeAtomically(folder_ + "/users.tsv", formatUsers(rows, false));
}

void EnrolmentTable::saveData(Key key, const StoredEnrolment& entry) const
{
    QByteArray text;
    for (std::int32_t v : entry.data)
        text += QByteArray::number(v) + '\n';
    textfile::writeAtomically(dataPath(key), text);
}

}  // namespace tavlo::emulator
