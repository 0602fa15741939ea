#pragma once

#include <QDialog>

#include <exception>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tavlo {

class LinkSession;
class ProgramContext;

// The clock window "Tarih / Saat Ayarla": the clock of the terminal on the
// main window's link beside the PC's, and the button that sets the
// terminal's clock to the PC's time. One instance serves every opening.
class TZamanAyarForm : public QDialog {
    Q_OBJECT
public:
    explicit TZamanAyarForm(ProgramContext& context, QWidget* parent = nullptr);
    ~TZamanAyarForm() override;

    // Shows the window modally for the terminal on `link`, which the opener
    // keeps open while it is shown. An error of a terminal call made in the
    // window closes the window and is raised from here once it has closed,
    // with the keypad already switched on again.
    void showFor(const LinkSession& link);

    // The machine number of the terminal of the last opening.
    qint32 MakineNo() const { return MakineNo_; }

    // Handlers, each run behind a guard.
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void cxButton2Click();
    void KapatButonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Runs work that calls the terminal. An error is kept for showFor and
    // ends the window.
    void terminalWork(const std::function<void()>& work);

    ProgramContext& context_;
    const LinkSession* link_ = nullptr;
    qint32 MakineNo_ = 0;
    std::exception_ptr failure_;

    QLineEdit* TarihSaatEdit = nullptr;
    QLabel* SaatLabel = nullptr;
    QPushButton* cxButton2 = nullptr;
    QPushButton* KapatButon = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace tavlo
