#pragma once

namespace tavlo {

class Table;
class TSBXPC;

// "Bağlantı Test": whether the terminal of the terminal list's current row
// can be reached with the values in its row. The link is closed again at
// once; nothing is read or changed.
class LinkTest {
public:
    static constexpr auto kLinked = "Bağlantı Kuruldu";

    // Shows "Bağlantı Kuruldu" once the link is closed again, or the link
    // test's failure text.
    static void run(TSBXPC& control, const Table& terminals);
};

}  // namespace tavlo
