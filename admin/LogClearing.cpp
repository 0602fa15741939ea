#include "admin/LogClearing.h"

#include "platform/Dialogs.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"

namespace tavlo {
namespace {

// GetStatusValue: records that no transfer has confirmed.
constexpr qint32 kUnconfirmedRecords = 6;

}  // namespace

QString LogClearing::question()
{
    return QString::fromUtf8("Silme işlemini yapmadan önce cihazdaki tüm kayıtların bilgisayara "
                             "aktarıldığından emin olun. ")
           + QChar(u'\r')
           + QString::fromUtf8("Bu işlem sonucunda cihazdaki hareket kayıtları geri dönülemez "
                               "şekilde silinecektir. Cihazdaki tüm hareket kayıtlarını silmek "
                               "istediğinize emin misiniz?");
}

QString LogClearing::unconfirmedQuestion(qint32 count)
{
    return QString::fromUtf8("Cihazda bilgisayara aktarılmamış %1 hareket kaydı var. Yine de silinsin mi?")
        .arg(count);
}

QString LogClearing::unknownCountQuestion()
{
    return QString::fromUtf8("Cihazdaki aktarılmamış hareket kaydı sayısı okunamadı. Yine de silinsin mi?");
}

void LogClearing::run(TSBXPC& control, const Table& terminals)
{
    if (!dialogs().confirmWarning(question()))
        return;
    LinkSession link(control, linkValuesOf(terminals), linksite::kMaintenance);
    if (!link.linked())
        return;
    const qint32 machine = link.machine();
    bool attempted = false;
    bool cleared = false;
    {
        const KeypadLock locked(link);
        if (mayClear(control, machine)) {
            attempted = true;
            cleared = control.ClearLogs(machine);
        }
    }
    link.close();
    if (attempted)
        dialogs().showMessage(QString::fromUtf8(cleared ? kDone : kFailed));
}

bool LogClearing::mayClear(TSBXPC& control, qint32 machine)
{
    qint32 unconfirmed = 0;
    if (!control.GetStatusValue(machine, kUnconfirmedRecords, unconfirmed))
        return dialogs().confirmWarning(unknownCountQuestion());
    return unconfirmed <= 0 || dialogs().confirmWarning(unconfirmedQuestion(unconfirmed));
}

}  // namespace tavlo
