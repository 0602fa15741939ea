#pragma once

#include <QDialog>

namespace tavlo {

class ProgramContext;

// The users found on a terminal, ticked for the copy to the PC.
class TPersonelSecimForm : public QDialog {
    Q_OBJECT
public:
    explicit TPersonelSecimForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TPersonelSecimForm() override;

private:
    ProgramContext& context_;
};

}  // namespace tavlo
