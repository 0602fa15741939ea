#pragma once

#include "store/DataModul.h"
#include "terminal/LinkProcedure.h"
#include "terminal/TSBXPC.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/terminal/LiveTerminal.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <ostream>
#include <vector>

namespace tavlo::test {

// One entry of a terminal's user list, as NextUserRecord delivers it.
struct UserEntry {
    qint32 user = 0;
    qint32 enrolment = 0;
    qint32 privilege = 0;
    friend bool operator==(const UserEntry&, const UserEntry&) = default;
    friend void PrintTo(const UserEntry& e, std::ostream* os)
    {
        *os << e.user << "-" << e.enrolment << ":" << e.privilege;
    }
};

// A real emulator with the records, users and faults given, a terminal
// list whose current row reaches it, scripted dialogs, and the main
// window's control, made when first used (so that a test may put a
// stand-in control in place first).
class MaintenanceRig {
public:
    explicit MaintenanceRig(const QByteArray& records = {}, const QByteArray& users = {},
                            const QStringList& faults = {});

    // Appends a terminal row that reaches the emulator by `type` and makes
    // it the current row.
    void addTerminal(qint32 type = kEthernet);
    TSBXPC& control();

    // Whether the control still holds a link to the terminal.
    bool stillLinked();
    bool keypadUnlocked() const { return terminal.state().settings().keypadEnabled; }
    std::uint32_t records() const;
    std::uint32_t unconfirmed() const { return terminal.state().unconfirmed(); }
    // Reads `count` records and confirms them, as a transfer does.
    void transfer(int count);
    // The user list as a fetch on a link of its own shows it.
    std::vector<UserEntry> fetchUsers();

    LiveTerminal terminal;
    ScriptedDialogs dialogs;
    TDataModul data;

private:
    std::unique_ptr<TSBXPC> cc_;
};

}  // namespace tavlo::test
