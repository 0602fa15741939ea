#pragma once

#include <QDialog>

#include <memory>

namespace tavlo {

class ProgramContext;
class TSBXPC;

// The developers' scratch window for single terminal operations.
class TMusveddeForm : public QDialog {
    Q_OBJECT
public:
    explicit TMusveddeForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TMusveddeForm() override;

    // This window's own terminal control; creating the window fails when
    // the control cannot be created.
    TSBXPC& CC() const { return *CC_; }

private:
    ProgramContext& context_;
    std::unique_ptr<TSBXPC> CC_;
};

}  // namespace tavlo
