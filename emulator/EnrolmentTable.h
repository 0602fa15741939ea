#pragma once

#include "sdk/protocol/Messages.h"

#include <QString>

#include <cstdint>
#include <map>
#include <utility>

namespace tavlo::emulator {

struct StoredEnrolment {
    std::int32_t privilege = 0;
    std::int32_t enabled = 1;
    std::int32_t password = 0;
    protocol::EnrolmentWords data{};
};

// The users of a terminal, one entry per enrolment, ordered by user number
// and enrolment number. Their attributes live in "users.tsv"; the data of
// each enrolment in "enrolments/<user>-<number>.txt", so that changing a
// privilege does not rewrite every fingerprint.
class EnrolmentTable {
public:
    using Key = std::pair<std::int32_t, std::int32_t>;  // user, enrolment number
    using Map = std::map<Key, StoredEnrolment>;

    static constexpr std::size_t kMaxEntries = 100'000;

    explicit EnrolmentTable(const QString& folder);

    const Map& entries() const { return entries_; }
    const StoredEnrolment* find(Key key) const;
    std::size_t userCount() const;

    // Each change is saved before it returns.
    void put(Key key, const StoredEnrolment& entry);
    void putAttributes(Key key, const StoredEnrolment& entry);
    std::size_t removeUser(std::int32_t user);
    bool remove(Key key);

private:
    void load();
    void saveAttributes() const;
    void saveData(Key key, const StoredEnrolment& entry) const;
    QString dataPath(Key key) const;

    QString folder_;
    Map entries_;
};

}  // namespace tavlo::emulator
