#pragma once

#include "app/MainWindowSetup.h"
#include "diag/TestButtons.h"
#include "store/ProgramContext.h"

#include <QWidget>

#include <functional>
#include <memory>

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tavlo {

class DataGrid;
class OptionalDateEdit;
class TDataModul;
class TMusveddeForm;
class TPersonelForm;
class TSBXPC;
class TZamanAyarForm;
struct ControlProbe;

// The main window: the transfer page, the terminal list with its maintenance
// buttons, and the settings page. Its handlers gather what the operator set
// and hand it to the program's logic.
class TAnaForm : public QWidget, private MainWindowView {
    Q_OBJECT
public:
    // Creating the window creates its terminal control first and fails when
    // the control cannot be created. The creation handler then probes the
    // control and records the outcome in `probe`.
    TAnaForm(ProgramContext& context, ControlProbe& probe, QWidget* parent = nullptr);
    ~TAnaForm() override;

    const ProgramValues& values() const { return values_; }
    // The windows this one opens, handed over by the start-up once every
    // window exists.
    void useWindows(TPersonelForm& personel, TZamanAyarForm& zamanAyar, TMusveddeForm& musvedde);
    // The main window's terminal control, used by the transfer and the
    // maintenance features.
    TSBXPC& CC() const { return *CC_; }

    // Handlers, each run behind the guard that shows an error's message.
    void FormCreate();
    void FormShow();
    void AdresEditPropertiesChange();
    void AdresKaydetButonClick();
    void DegistirButonClick();
    void KayitSilboxPropertiesChange();
    void YedekBoxPropertiesChange();
    void cxButton1Click();
    void CihazEkleButonClick();
    void CihazDuzenleButonClick();
    void CihazSilButonClick();
    void v_IsaretPropertiesChange();
    void AktarButonClick();
    void TestButonClick();
    void ZamanAyarButonClick();
    void YedekSilButonClick();
    void YetkiliSilButonClick();
    // The hidden developer buttons (shown with TAVLO_DEVELOPER=1).
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

    // True while a handler talks to a terminal; another such handler then
    // does nothing, since a transfer lets the window work between terminals.
    bool terminalBusy() const { return terminalBusy_; }
    // True once the operator, while a handler talked to a terminal, closed
    // the window or pressed "Kapat". The run stops after the terminal in
    // hand, and the window then closes or the program ends as asked.
    bool endRequested() const { return pendingEnd_ != PendingEnd::None; }

    void KaydetSTR(const QString& section, const QString& key, const QString& value);
    void KaydetInt(const QString& section, const QString& key, qint32 value);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class PendingEnd { None, CloseWindow, EndProgram };

    void buildTransferPage();
    void buildTerminalPage();
    void buildSettingsPage();
    void buildHiddenControls(QBoxLayout* layout, QBoxLayout* bottom);
    void connectHandlers();
    // Runs a handler that talks to the terminal control: behind the guard,
    // with the window busy, and never while another such handler runs.
    void terminalFeature(const std::function<void()>& handler);
    void endAsRequested();
    QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent);

    void showMovementFilePath(const QString& path) override;
    void tickDeleteAfterTransferQuietly() override;

    ProgramContext& context_;
    TDataModul& data_;
    ControlProbe& probe_;
    ProgramValues& values_;
    std::unique_ptr<TSBXPC> CC_;
    TPersonelForm* personelForm_ = nullptr;
    TZamanAyarForm* zamanAyarForm_ = nullptr;
    TMusveddeForm* musveddeForm_ = nullptr;
    // Filled by "Get Enroll", passed back by "Set Enroll".
    testbuttons::KeptIntegers kept_;
    bool terminalBusy_ = false;
    PendingEnd pendingEnd_ = PendingEnd::None;

    QTabWidget* Sayfalar = nullptr;
    QWidget* AktarimTab = nullptr;
    QWidget* CihazTab = nullptr;
    QWidget* AyarTab = nullptr;

    DataGrid* CihazAktarimGrid = nullptr;
    QPushButton* AktarButon = nullptr;

    DataGrid* CihazGrid = nullptr;
    QPushButton* CihazEkleButon = nullptr;
    QPushButton* CihazDuzenleButon = nullptr;
    QPushButton* CihazSilButon = nullptr;
    QPushButton* TestButon = nullptr;
    QPushButton* YetkiliSilButon = nullptr;
    QPushButton* YedekSilButon = nullptr;
    QPushButton* ZamanAyarButon = nullptr;

    QLabel* cxLabel5 = nullptr;
    QLineEdit* AdresEdit = nullptr;
    QPushButton* AdresKaydetButon = nullptr;
    QPushButton* DegistirButon = nullptr;
    QCheckBox* YedekBox = nullptr;
    QGroupBox* TarihSecimBox = nullptr;
    OptionalDateEdit* TarihindenEdit = nullptr;
    OptionalDateEdit* TarihineEdit = nullptr;
    QCheckBox* KayitSilbox = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* PersonelKayitButon = nullptr;

    QPushButton* cxButton1 = nullptr;

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPlainTextEdit* KayitMemo = nullptr;
    QPlainTextEdit* YedekMemo = nullptr;
};

}  // namespace tavlo
