#include "diag/ui/MusveddeForm.h"

#include "terminal/TSBXPC.h"

namespace tavlo {

TMusveddeForm::TMusveddeForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context), CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("MusveddeForm"));
    setWindowTitle(QStringLiteral("MusveddeForm"));
}

TMusveddeForm::~TMusveddeForm() = default;

}  // namespace tavlo
