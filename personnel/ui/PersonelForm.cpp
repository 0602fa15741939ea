#include "personnel/ui/PersonelForm.h"

#include "terminal/TSBXPC.h"

namespace tavlo {

TPersonelForm::TPersonelForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context), CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("PersonelForm"));
    setWindowTitle(QStringLiteral("Personel Kayıtları"));
}

TPersonelForm::~TPersonelForm() = default;

void TPersonelForm::useWindows(TCihazSecimForm& cihazSecim, TPersonelSecimForm& personelSecim)
{
    cihazSecimForm_ = &cihazSecim;
    personelSecimForm_ = &personelSecim;
}

}  // namespace tavlo
