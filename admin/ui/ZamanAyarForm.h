#pragma once

#include <QDialog>

namespace tavlo {

class ProgramContext;

// The clock window: a terminal's clock beside the PC's.
class TZamanAyarForm : public QDialog {
    Q_OBJECT
public:
    explicit TZamanAyarForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TZamanAyarForm() override;

private:
    ProgramContext& context_;
};

}  // namespace tavlo
