#include "admin/ui/CihazForm.h"


namespace tavlo {

TCihazForm::TCihazForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CihazForm"));
    setWindowTitle(QStringLiteral("Cihaz Ekle / Düzenle"));
}

TCihazForm::~TCihazForm() = default;

}  // namespace tavlo
