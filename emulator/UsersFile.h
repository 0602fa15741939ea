#pragma once

#include "emulator/EnrolmentTable.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tavlo::emulator {

struct UserRow {
    EnrolmentTable::Key key;
    StoredEnrolment entry;
    bool hasData = false;
};

// The TAB-separated users text: a header line naming the columns, then one
// line per enrolment. Columns `user`, `enrolment`, `privilege` and `enabled`
// are required; `password` and `data` (the enrolment's integers, separated by
// commas, at most 354, missing ones 0) may follow, in any order.
// A bad line raises Error naming its line number.
std::vector<UserRow> parseUsers(const QByteArray& text, const QString& source);
QByteArray formatUsers(const std::vector<UserRow>& rows, bool withData);

}  // namespace tavlo::emulator
