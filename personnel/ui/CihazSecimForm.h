#pragma once

#include <QDialog>

namespace tavlo {

class ProgramContext;

// The terminal chooser: picks the one terminal of a personnel copy.
class TCihazSecimForm : public QDialog {
    Q_OBJECT
public:
    explicit TCihazSecimForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TCihazSecimForm() override;

private:
    ProgramContext& context_;
};

}  // namespace tavlo
