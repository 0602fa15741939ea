#include "admin/AdminRightsRemoval.h"

#include "platform/Dialogs.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"

#include <set>

namespace tavlo {
namespace {

constexpr qint32 kUserPrivilege = 0;  // "Kullanıcı"

}  // namespace

QString AdminRightsRemoval::question()
{
    return QString::fromUtf8("Cihaza giriş yetkisi olan tüm personelin yetkileri kaldırılacaktır. "
                             "Yetkileri kaldırmak istediğinizden emin misiniz?");
}

QString AdminRightsRemoval::refusedMessage(int users)
{
    return QString::fromUtf8("%1 personelin yetkisi kaldırılamadı!").arg(users);
}

void AdminRightsRemoval::run(TSBXPC& control, const Table& terminals)
{
    if (!dialogs().confirmWarning(question()))
        return;
    LinkSession link(control, linkValuesOf(terminals), linksite::kMaintenance);
    if (!link.linked())
        return;
    const qint32 machine = link.machine();
    std::set<qint32> refused;  // user numbers
    {
        const KeypadLock locked(link);
        control.BeginUserRead(machine);
        qint32 user = 0;
        qint32 enrolmentMachine = machine;
        qint32 enrolment = 0;
        qint32 privilege = 0;
        qint32 enabled = 0;
        while (control.NextUserRecord(machine, user, enrolmentMachine, enrolment, privilege, enabled)) {
            if (!control.SetUserPrivilege(machine, user, enrolmentMachine, enrolment, kUserPrivilege))
                refused.insert(user);
            enrolmentMachine = machine;
        }
    }
    link.close();
    if (!refused.empty())
        dialogs().showMessage(refusedMessage(static_cast<int>(refused.size())));
}

}  // namespace tavlo
