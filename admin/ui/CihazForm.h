#pragma once

#include <QDialog>

namespace tavlo {

class ProgramContext;

// The terminal dialog: adds or edits the current terminal row.
class TCihazForm : public QDialog {
    Q_OBJECT
public:
    explicit TCihazForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TCihazForm() override;

private:
    ProgramContext& context_;
};

}  // namespace tavlo
