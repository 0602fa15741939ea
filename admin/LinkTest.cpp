#include "admin/LinkTest.h"

#include "platform/Dialogs.h"
#include "terminal/LinkSession.h"

namespace tavlo {

void LinkTest::run(TSBXPC& control, const Table& terminals)
{
    LinkSession link(control, linkValuesOf(terminals), linksite::kLinkTest);
    if (!link.linked())
        return;
    link.close();
    dialogs().showMessage(QString::fromUtf8(kLinked));
}

}  // namespace tavlo
