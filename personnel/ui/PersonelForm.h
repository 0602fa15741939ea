#pragma once

#include <QDialog>

#include <memory>

namespace tavlo {

class TSBXPC;

// The personnel register: the PC's users, and their copy from and to terminals.
class TPersonelForm : public QDialog {
    Q_OBJECT
public:
    explicit TPersonelForm(QWidget* parent = nullptr);
    ~TPersonelForm() override;

    // This window's own terminal control; creating the window fails when
    // the control cannot be created.
    TSBXPC& CC() const { return *CC_; }

private:
    std::unique_ptr<TSBXPC> CC_;
};

}  // namespace tavlo
