#include "personnel/SelectionCommands.h"

#include "store/Table.h"

namespace tavlo::selection {

qint32 otherTick(qint32 tick)
{
    // In 64 bits, so that the largest tick does not overflow; C++'s
    // remainder already takes the sign of the dividend.
    return static_cast<qint32>((static_cast<qint64>(tick) + 1) % 2);
}

void apply(Command command, Table& table, IntField tick)
{
    table.editEveryRow([command, tick](Table& row) {
        switch (command) {
        case Command::SelectAll:
            row.set(tick, 1);
            break;
        case Command::ClearAll:
            row.set(tick, 0);
            break;
        case Command::SelectOthers:
            row.set(tick, otherTick(row.get(tick)));
            break;
        }
    });
}

}  // namespace tavlo::selection
