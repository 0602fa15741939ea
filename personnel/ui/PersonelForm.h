#pragma once

#include <QDialog>

#include <memory>

namespace tavlo {

class ProgramContext;
class TCihazSecimForm;
class TPersonelSecimForm;
class TSBXPC;

// The personnel register: the PC's users, and their copy from and to terminals.
class TPersonelForm : public QDialog {
    Q_OBJECT
public:
    explicit TPersonelForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TPersonelForm() override;

    // This window's own terminal control; creating the window fails when
    // the control cannot be created.
    TSBXPC& CC() const { return *CC_; }

    // The windows this one opens, handed over by the start-up once every
    // window exists.
    void useWindows(TCihazSecimForm& cihazSecim, TPersonelSecimForm& personelSecim);

private:
    ProgramContext& context_;
    std::unique_ptr<TSBXPC> CC_;
    TCihazSecimForm* cihazSecimForm_ = nullptr;
    TPersonelSecimForm* personelSecimForm_ = nullptr;
};

}  // namespace tavlo
