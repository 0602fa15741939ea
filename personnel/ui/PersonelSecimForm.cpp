#include "personnel/ui/PersonelSecimForm.h"


namespace tavlo {

TPersonelSecimForm::TPersonelSecimForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PersonelSecimForm"));
    setWindowTitle(QStringLiteral("Cihazdaki Personeller"));
}

TPersonelSecimForm::~TPersonelSecimForm() = default;

}  // namespace tavlo
