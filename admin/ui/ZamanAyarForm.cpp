#include "admin/ui/ZamanAyarForm.h"

namespace tavlo {

TZamanAyarForm::TZamanAyarForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("ZamanAyarForm"));
    setWindowTitle(QStringLiteral("Tarih / Saat Ayarla"));
}

TZamanAyarForm::~TZamanAyarForm() = default;

}  // namespace tavlo
