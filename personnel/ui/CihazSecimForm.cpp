#include "personnel/ui/CihazSecimForm.h"


namespace tavlo {

TCihazSecimForm::TCihazSecimForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CihazSecimForm"));
    setWindowTitle(QStringLiteral("Cihaz Seçimi"));
}

TCihazSecimForm::~TCihazSecimForm() = default;

}  // namespace tavlo
