#pragma once

#include <QString>

namespace tavlo {

class Table;
class TSBXPC;

// "Yetkilileri Sil": sets every entry of the user list of the terminal of
// the terminal list's current row to privilege 0 ("Kullanıcı"), one change
// per entry whatever it holds now, so a user with several enrolments is
// changed once per enrolment. Users, enrolments and records stay; nothing
// on the PC changes.
//
// It ends silently when the terminal accepted every change. When it
// refused some, the operator hears how many users kept a right on at least
// one of their entries.
class AdminRightsRemoval {
public:
    static QString question();
    static QString refusedMessage(int users);

    static void run(TSBXPC& control, const Table& terminals);
};

}  // namespace tavlo
