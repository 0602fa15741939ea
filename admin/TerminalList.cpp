#include "admin/TerminalList.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "store/DataModul.h"
#include "store/ProgramContext.h"

namespace tavlo {
namespace {

// Connection type, port, numbers and tick of a new terminal.
constexpr qint32 kEthernet = 1;
constexpr qint32 kPort = 5005;
constexpr qint32 kNumber = 1;
constexpr qint32 kTicked = 1;
constexpr qint32 kEntryOrExit = 0;

}  // namespace

TerminalList::TerminalList(Table& terminals, QString file)
    : terminals_(terminals), file_(std::move(file))
{
}

TerminalList::TerminalList(ProgramContext& context)
    : TerminalList(context.data.CihazTable, context.terminalListFile())
{
}

void TerminalList::settlePending()
{
    if (terminals_.state() == Table::State::Edit || terminals_.state() == Table::State::Insert)
        terminals_.post();
}

void TerminalList::beginAdd()
{
    Table& t = terminals_;
    t.append();
    // In this order: the name is made from the number just set. Every new
    // terminal gets number 1, not the next free one.
    t.set(Cihaz::BaglantiTipi, kEthernet);
    t.set(Cihaz::Port, kPort);
    t.set(Cihaz::CihazNo, kNumber);
    t.set(Cihaz::CihazAdi, QLatin1String(kNamePrefix) + QString::number(t.get(Cihaz::CihazNo)));
    t.set(Cihaz::MakineNo, kNumber);
    t.set(Cihaz::Isaret, kTicked);
    t.set(Cihaz::GCTip, kEntryOrExit);
}

void TerminalList::beginEdit()
{
    settlePending();
    terminals_.edit();
}

void TerminalList::commit()
{
    terminals_.post();
    save();
}

void TerminalList::discard()
{
    terminals_.cancel();
}

bool TerminalList::remove()
{
    settlePending();
    if (!dialogs().confirmWarning(QString::fromUtf8(kDeleteQuestion)))
        return false;
    if (!terminals_.remove())
        throw Error(QStringLiteral("%1: Cannot perform this operation on an empty dataset")
                        .arg(terminals_.name()));
    save();
    return true;
}

void TerminalList::save()
{
    terminals_.SaveTableFile(file_);
}

}  // namespace tavlo
