#pragma once

#include "store/Fields.h"

#include <QtGlobal>

namespace tavlo {

class Table;

// The three commands of a grid's context menu over a tick column: "Tümünü
// Seç", "Tümünü Kaldır" and "Diğerlerini Seç". Each edits and posts every
// row of the table, with bound views held back meanwhile, and leaves the
// row current before current. None saves a file.
namespace selection {

enum class Command { SelectAll, ClearAll, SelectOthers };

inline constexpr auto kSelectAll = "Tümünü Seç";
inline constexpr auto kClearAll = "Tümünü Kaldır";
inline constexpr auto kSelectOthers = "Diğerlerini Seç";

// The tick that "Diğerlerini Seç" gives a row ticked `tick`: (tick + 1)
// mod 2, the remainder taking the sign of the dividend, so 0 gives 1, 1
// gives 0, 2 gives 1 and -2 gives -1. An empty tick reads as 0.
qint32 otherTick(qint32 tick);

void apply(Command command, Table& table, IntField tick);

}  // namespace selection
}  // namespace tavlo
