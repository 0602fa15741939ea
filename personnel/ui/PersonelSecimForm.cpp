#include "personnel/ui/PersonelSecimForm.h"

namespace tavlo {

TPersonelSecimForm::TPersonelSecimForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("PersonelSecimForm"));
    setWindowTitle(QStringLiteral("Cihazdaki Personeller"));
}

TPersonelSecimForm::~TPersonelSecimForm() = default;

}  // namespace tavlo
