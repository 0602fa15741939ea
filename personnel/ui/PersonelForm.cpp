#include "personnel/ui/PersonelForm.h"

#include "terminal/TSBXPC.h"

namespace tavlo {

TPersonelForm::TPersonelForm(QWidget* parent)
    : QDialog(parent), CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("PersonelForm"));
    setWindowTitle(QStringLiteral("Personel Kayıtları"));
}

TPersonelForm::~TPersonelForm() = default;

}  // namespace tavlo
