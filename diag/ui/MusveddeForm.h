#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavlo {

class ProgramContext;
class TSBXPC;

// The developers' scratch window for single terminal operations, on its
// own terminal control. Its handlers hand what the developer typed to
// tavlo_diag's scratch tools and show what came back.
class TMusveddeForm : public QDialog {
    Q_OBJECT
public:
    explicit TMusveddeForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TMusveddeForm() override;

    // This window's own terminal control; creating the window fails when
    // the control cannot be created.
    TSBXPC& CC() const { return *CC_; }

    // Handlers, each run behind the guard that shows an error's message.
    void ConnectbutonClick();
    void DownLoadButonClick();
    void UpLoadButonClick();
    void Button2Click();

private:
    QPushButton* makeButton(const char* name, const QString& caption);

    ProgramContext& context_;
    std::unique_ptr<TSBXPC> CC_;

    QPushButton* Connectbuton = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* DownLoadButon = nullptr;
    QPushButton* UpLoadButon = nullptr;
    QPushButton* Button2 = nullptr;
    QPlainTextEdit* TempEdit = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
};

}  // namespace tavlo
