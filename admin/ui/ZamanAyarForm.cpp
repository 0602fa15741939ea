#include "admin/ui/ZamanAyarForm.h"

#include "admin/TerminalClock.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "terminal/LinkSession.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace tavlo {
namespace {

constexpr int kTickMs = 500;

// The colours of the main window's terminal page.
constexpr auto kStyle = R"(
QDialog#ZamanAyarForm { background-color: #bdd8d2; }
QLabel { font: bold 12px "Arial"; color: #666666; }
QLabel#SaatLabel { font: bold 13px "Tahoma"; color: #1e3c32; background-color: #f2f2f2;
                   border: 1px solid #7f9db9; padding: 3px; }
QLineEdit { font: bold 13px "Tahoma"; border: 1px solid #7f9db9; padding: 3px; background: white; }
QPushButton { font: bold 13px "MS Sans Serif"; background-color: #d3e7d3;
              border: 1px solid #8fa88f; border-radius: 3px; padding: 4px 10px; }
QPushButton:hover { background-color: #b8f0b8; }
QPushButton:disabled { color: #8a8a8a; background-color: #e4ece4; }
)";

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

TZamanAyarForm::TZamanAyarForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("ZamanAyarForm"));
    setWindowTitle(QStringLiteral("Tarih / Saat Ayarla"));
    setStyleSheet(QLatin1String(kStyle));

    auto* terminalLabel = new QLabel(QStringLiteral("CihazınTarih ve Saati : "), this);
    TarihSaatEdit = new QLineEdit(this);
    TarihSaatEdit->setObjectName(QStringLiteral("TarihSaatEdit"));
    terminalLabel->setBuddy(TarihSaatEdit);
    auto* pcLabel = new QLabel(QStringLiteral("Bilgisayarın Tarih ve Saati : "), this);
    SaatLabel = new QLabel(this);
    SaatLabel->setObjectName(QStringLiteral("SaatLabel"));
    pcLabel->setBuddy(SaatLabel);

    cxButton2 = makeButton("cxButton2", QStringLiteral("Tarih ve Saati Kaydet"), this);
    KapatButon = makeButton("KapatButon", QStringLiteral("Kapat"), this);
    // Enter closes the window; setting the terminal's clock takes a click.
    cxButton2->setAutoDefault(false);
    KapatButon->setDefault(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(terminalLabel);
    layout->addWidget(TarihSaatEdit);
    layout->addSpacing(6);
    layout->addWidget(pcLabel);
    layout->addWidget(SaatLabel);
    layout->addSpacing(10);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cxButton2);
    buttons->addStretch(1);
    buttons->addWidget(KapatButon);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    connect(cxButton2, &QPushButton::clicked, this,
            [this] { terminalWork([this] { cxButton2Click(); }); });
    connect(KapatButon, &QPushButton::clicked, this,
            [this] { guarded([this] { KapatButonClick(); }); });
}

TZamanAyarForm::~TZamanAyarForm() = default;

void TZamanAyarForm::showFor(const LinkSession& link)
{
    MakineNo_ = link.machine();
    link_ = &link;
    failure_ = nullptr;
    // Nothing of an earlier terminal shows, even before the first read.
    TarihSaatEdit->clear();
    exec();
    link_ = nullptr;
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TZamanAyarForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window given back from the taskbar does not read the terminal again.
    if (!event->spontaneous())
        terminalWork([this] { FormShow(); });
}

void TZamanAyarForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    // Every way of closing hides the window: "Kapat", its frame, Escape.
    if (!event->spontaneous())
        guarded([this] { FormClose(); });
}

void TZamanAyarForm::FormShow()
{
    Timer1->start();
    // The PC's clock shows at once, not only after the first tick.
    Timer1Timer();
    cxButton2->setEnabled(link_ != nullptr);
    if (link_)
        TarihSaatEdit->setText(TerminalClock(*link_).read());
}

void TZamanAyarForm::FormClose()
{
    Timer1->stop();
}

void TZamanAyarForm::Timer1Timer()
{
    SaatLabel->setText(TerminalClock::pcNow());
}

void TZamanAyarForm::cxButton2Click()
{
    if (!link_)
        return;
    const TerminalClock::Setting setting = TerminalClock(*link_).setToPcTime();
    TarihSaatEdit->setText(setting.readBack);
    dialogs().showMessage(setting.message);
}

void TZamanAyarForm::KapatButonClick()
{
    Timer1->stop();
    close();
}

void TZamanAyarForm::terminalWork(const std::function<void()>& work)
{
    // Shown without a terminal, nobody is there to take the error later.
    if (!link_) {
        guarded(work);
        return;
    }
    try {
        work();
    } catch (...) {
        // The keypad is on again (its lock ended with the error). The window
        // closes, and the opener ends the link before the error is shown.
        if (!failure_)
            failure_ = std::current_exception();
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

}  // namespace tavlo
