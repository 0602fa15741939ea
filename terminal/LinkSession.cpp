#include "terminal/LinkSession.h"

#include "platform/Dialogs.h"
#include "store/Table.h"
#include "terminal/TSBXPC.h"

#include <utility>

namespace tavlo {

TerminalLinkValues linkValuesOf(const Table& terminals)
{
    TerminalLinkValues link;
    link.BaglantiTipi = terminals.get(Cihaz::BaglantiTipi);
    link.MakineNo = terminals.get(Cihaz::MakineNo);
    link.IPAdres = terminals.get(Cihaz::IPAdres);
    link.Port = terminals.get(Cihaz::Port);
    link.Parola = terminals.get(Cihaz::Parola);
    return link;
}

LinkSession::LinkSession(TSBXPC& control, const TerminalLinkValues& row, const LinkSite& site)
    : control_(&control), machine_(row.MakineNo), outcome_(openLink(control, row))
{
    open_ = outcome_ == LinkOutcome::Linked;
    const bool failed = outcome_ == LinkOutcome::NotLinked
                        || (outcome_ == LinkOutcome::NoCall && site.unknownTypeFails);
    if (failed && site.failureMessage)
        dialogs().showMessage(QString::fromUtf8(site.failureMessage));
}

LinkSession::LinkSession(LinkSession&& other) noexcept
    : control_(other.control_), machine_(other.machine_), outcome_(other.outcome_),
      open_(std::exchange(other.open_, false))
{
}

LinkSession::~LinkSession()
{
    if (!open_)
        return;
    try {
        control_->DropLink();
    } catch (...) {
        // The control refused the call itself; the link ends with the next
        // open or with the control.
    }
}

bool LinkSession::close()
{
    open_ = false;
    return control_->CloseLink();
}

void LinkSession::drop()
{
    open_ = false;
    control_->DropLink();
}

KeypadLock::KeypadLock(const LinkSession& link) : control_(link.control()), machine_(link.machine())
{
    control_.SetDeviceEnabled(machine_, 0);
}

KeypadLock::~KeypadLock()
{
    try {
        control_.SetDeviceEnabled(machine_, 1);
    } catch (...) {
        // An error is already on its way out, or the control refused the
        // call; either way the caller hears of it, not from here.
    }
}

}  // namespace tavlo
