#include "diag/ui/MusveddeForm.h"

#include "terminal/TSBXPC.h"

namespace tavlo {

TMusveddeForm::TMusveddeForm(QWidget* parent)
    : QDialog(parent), CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("MusveddeForm"));
    setWindowTitle(QStringLiteral("MusveddeForm"));
}

TMusveddeForm::~TMusveddeForm() = default;

}  // namespace tavlo
