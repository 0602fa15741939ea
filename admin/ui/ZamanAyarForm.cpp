#include "admin/ui/ZamanAyarForm.h"


namespace tavlo {

TZamanAyarForm::TZamanAyarForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ZamanAyarForm"));
    setWindowTitle(QStringLiteral("Tarih / Saat Ayarla"));
}

TZamanAyarForm::~TZamanAyarForm() = default;

}  // namespace tavlo
