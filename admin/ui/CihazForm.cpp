#include "admin/ui/CihazForm.h"

namespace tavlo {

TCihazForm::TCihazForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("CihazForm"));
    setWindowTitle(QStringLiteral("Cihaz Ekle / Düzenle"));
}

TCihazForm::~TCihazForm() = default;

}  // namespace tavlo
