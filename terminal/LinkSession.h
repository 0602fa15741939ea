#pragma once

#include "terminal/LinkProcedure.h"
#include "terminal/TerminalLinkValues.h"

namespace tavlo {

class Table;
class TSBXPC;

// What differs between the features that link to a terminal: how a link
// that does not open is reported, and what a row of no known connection
// type does.
struct LinkSite {
    // Shown in a message box when the link does not open; none: the
    // feature reports it itself.
    const char* failureMessage = nullptr;
    // False: a row whose connection type is none of Ethernet, serial and
    // USB does nothing at all, and nothing is shown.
    bool unknownTypeFails = true;
};

namespace linksite {
inline constexpr LinkSite kTransfer{nullptr, true};
inline constexpr LinkSite kLinkTest{"Bağlantı Kurulamadı ! ! !", true};
// The clock, clearing the log and removing admin rights.
inline constexpr LinkSite kMaintenance{"Bağlantı Kurulamadı ! ! !", false};
inline constexpr LinkSite kPersonnel{"Cihaza Bağlantı Kurulamadı!", true};
}  // namespace linksite

// The link values of the terminal table's current row.
TerminalLinkValues linkValuesOf(const Table& terminals);

// One feature's link to one terminal. It opens through openLink and shows
// the site's failure text; once open, the feature closes it (confirming a
// log read), drops it, or leaves it open on purpose. A session that ends
// otherwise, an error on its way out included, drops the link, so a
// feature never leaves a link open by accident and never confirms records
// it did not keep.
class LinkSession {
public:
    LinkSession(TSBXPC& control, const TerminalLinkValues& row, const LinkSite& site);
    ~LinkSession();
    LinkSession(LinkSession&& other) noexcept;
    LinkSession& operator=(LinkSession&&) = delete;
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    LinkOutcome outcome() const { return outcome_; }
    bool linked() const { return outcome_ == LinkOutcome::Linked && open_; }

    TSBXPC& control() const { return *control_; }
    qint32 machine() const { return machine_; }

    // CloseLink: true when the terminal acknowledged it.
    bool close();
    // Ends the link without confirming anything.
    void drop();
    // Ends the session and keeps the link open on the control, for a
    // window or tool that goes on using it.
    void leaveOpen() { open_ = false; }

private:
    TSBXPC* control_;
    qint32 machine_;
    LinkOutcome outcome_;
    bool open_ = false;
};

// Switches the terminal's keypad off while the PC works on its data, and
// always back on when it ends, also when the work raised an error.
class KeypadLock {
public:
    explicit KeypadLock(const LinkSession& link);
    ~KeypadLock();
    KeypadLock(const KeypadLock&) = delete;
    KeypadLock& operator=(const KeypadLock&) = delete;

private:
    TSBXPC& control_;
    qint32 machine_;
};

}  // namespace tavlo
