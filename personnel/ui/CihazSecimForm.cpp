#include "personnel/ui/CihazSecimForm.h"

namespace tavlo {

TCihazSecimForm::TCihazSecimForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("CihazSecimForm"));
    setWindowTitle(QStringLiteral("Cihaz Seçimi"));
}

TCihazSecimForm::~TCihazSecimForm() = default;

}  // namespace tavlo
