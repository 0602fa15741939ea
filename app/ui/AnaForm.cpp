#include "app/ui/AnaForm.h"

#include "admin/AdminRightsRemoval.h"
#include "admin/LinkTest.h"
#include "admin/LogClearing.h"
#include "admin/TerminalList.h"
#include "admin/ui/CihazForm.h"
#include "admin/ui/ZamanAyarForm.h"

#include "app/Settings.h"
#include "app/Startup.h"
#include "diag/ui/MusveddeForm.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/FileName.h"
#include "platform/Guard.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/OptionalDateEdit.h"
#include "store/DataModul.h"
#include "terminal/LinkSession.h"
#include "terminal/TSBXPC.h"
#include "transfer/TransferRun.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace tavlo {
namespace {

constexpr auto kCaption = "Tavlo Senkor  v1.7";
constexpr int kWidth = 480;
constexpr int kHeight = 453;

// Colours of the pages and buttons; the values are the Windows colour numbers
// the program always had, written as #rrggbb.
constexpr auto kStyle = R"(
QTabBar::tab { width: 150px; height: 32px; font: bold 15px "Arial"; color: teal; }
QWidget#AktarimTab { background-color: #e0edfe; }
QWidget#CihazTab, QWidget#AyarTab { background-color: #bdd8d2; }
QPushButton { font: bold 13px "MS Sans Serif"; background-color: #d3e7d3;
              border: 1px solid #8fa88f; border-radius: 3px; padding: 4px 10px; }
QPushButton:hover { background-color: #b8f0b8; }
QPushButton:disabled { color: #8a8a8a; background-color: #e4ece4; }
QLabel.LabelStil, QCheckBox.LabelStil, QGroupBox.LabelStil {
    font: bold 12px "Arial"; color: #666666; }
QLabel.LabelStil { background-color: #f2f2f2; padding: 2px 4px; }
QLineEdit { font: 11px "Tahoma"; border: 1px solid #7f9db9; padding: 2px; background: white; }
QLineEdit:focus { border: 2px solid red; }
)";

// Buttons of features that are not in this build yet stay visible but
// disabled, so none of them pretends to work.
void awaitFeature(QPushButton* button)
{
    button->setEnabled(false);
    button->setToolTip(QStringLiteral("Bu işlev bu sürümde henüz yok."));
}

void useLabelStyle(QWidget* widget)
{
    widget->setProperty("class", "LabelStil");
}

// A run shows each change of a row at once and lets the window work once
// per terminal. A close request handled meanwhile stops it before the next
// terminal.
class WindowTransferView final : public TransferView {
public:
    explicit WindowTransferView(const TAnaForm& form) : form_(form) {}

    void processMessages() override
    {
        // The repaints leave the operator's input waiting, and the window
        // system's queue then is not looked at again until something new
        // comes. A close of the window by its frame is such input: wake the
        // queue so that what waits is handled now, between terminals.
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
            dispatcher->wakeUp();
        QCoreApplication::processEvents();
    }
    void repaint() override
    {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    bool stopRequested() const override { return form_.endRequested(); }

private:
    const TAnaForm& form_;
};

}  // namespace

TAnaForm::TAnaForm(ProgramContext& context, ControlProbe& probe, QWidget* parent)
    : QWidget(parent), context_(context), data_(context.data), probe_(probe), values_(context.values),
      CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("AnaForm"));
    setStyleSheet(QLatin1String(kStyle));

    Sayfalar = new QTabWidget(this);
    Sayfalar->setObjectName(QStringLiteral("Sayfalar"));
    buildTransferPage();
    buildTerminalPage();
    buildSettingsPage();

    cxButton1 = makeButton("cxButton1", QStringLiteral("Kapat"), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Sayfalar, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cxButton1);
    layout->addLayout(bottom);

    buildHiddenControls(layout, bottom);
    connectHandlers();
    Sayfalar->setCurrentWidget(AktarimTab);

    resize(kWidth, kHeight);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    guarded([this] { FormCreate(); });
}

TAnaForm::~TAnaForm() = default;

QPushButton* TAnaForm::makeButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void TAnaForm::buildTransferPage()
{
    AktarimTab = new QWidget;
    AktarimTab->setObjectName(QStringLiteral("AktarimTab"));
    AktarimTab->setAttribute(Qt::WA_StyledBackground);
    Sayfalar->addTab(AktarimTab, QStringLiteral("Hareketleri Aktar"));

    CihazAktarimGrid = new DataGrid(
        data_.CihazKaynak,
        {
            {"v_Secim", "Seç", "Isaret", GridColumn::Kind::CheckBox, {}, false, false},
            {"v_CihazNo", "Cz.No", "CihazNo", GridColumn::Kind::Plain, {}, false, false},
            {"v_CihazAdi", "Cihaz Adı", "CihazAdi", GridColumn::Kind::Plain, {}, true, false},
            {"v_Transfer", "Transfer Durumu", "TransferDurumu", GridColumn::Kind::ProgressBar, {},
             true, false},
            {"v_Durum", "Durum", "Durum", GridColumn::Kind::ValueList, {{1, "●"}, {0, "○"}}, false,
             false},
            {"v_Aciklama", "Aciklama", "Aciklama", GridColumn::Kind::Plain, {}, true, false},
        },
        AktarimTab);
    CihazAktarimGrid->setObjectName(QStringLiteral("CihazAktarimGrid"));
    CihazAktarimGrid->setColumnsFillWidth(true);

    AktarButon = makeButton("AktarButon", QStringLiteral("Bilgileri Aktar"), AktarimTab);

    auto* layout = new QVBoxLayout(AktarimTab);
    layout->addWidget(CihazAktarimGrid, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(AktarButon);
    layout->addLayout(row);
}

void TAnaForm::buildTerminalPage()
{
    CihazTab = new QWidget;
    CihazTab->setObjectName(QStringLiteral("CihazTab"));
    CihazTab->setAttribute(Qt::WA_StyledBackground);
    Sayfalar->addTab(CihazTab, QStringLiteral("Cihaz Ayarları"));

    const QList<GridColumn::Value> connectionTypes = {
        {1, "Ethernet"}, {2, "Comm Port"}, {3, "USB Bağlantısı"}};
    CihazGrid = new DataGrid(
        data_.CihazKaynak,
        {
            {"v_Isaret", "Seç", "Isaret", GridColumn::Kind::CheckBox, {}, true, true},
            {"v_CihazTableCihazNo", "Cz.No", "CihazNo", GridColumn::Kind::Plain, {}, true, false},
            {"v_CihazTableCihazAdi", "Cihaz Adı", "CihazAdi", GridColumn::Kind::Plain, {}, true,
             false},
            {"v_CihazTableBaglantiTipi", "Bağlantı Tipi", "BaglantiTipi",
             GridColumn::Kind::ValueList, connectionTypes, true, false},
            {"v_CihazTableIPAdres", "IP Adresi", "IPAdres", GridColumn::Kind::Plain, {}, true,
             false},
            {"v_CihazTableMakineNo", "Mk.No", "MakineNo", GridColumn::Kind::Plain, {}, true, false},
            {"v_CihazTableParola", "Parola", "Parola", GridColumn::Kind::Plain, {}, true, false},
            {"v_CihazTablePort", "Port", "Port", GridColumn::Kind::Plain, {}, true, false},
            {"v_CihazTableDurum", "Durum", "Durum", GridColumn::Kind::Plain, {}, false, false},
            {"v_CihazTableAciklama", "Aciklama", "Aciklama", GridColumn::Kind::Plain, {}, false,
             false},
            {"v_CihazTableTransferDurumu", "TransferDurumu", "TransferDurumu",
             GridColumn::Kind::Plain, {}, false, false},
        },
        CihazTab);
    CihazGrid->setObjectName(QStringLiteral("CihazGrid"));
    CihazGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    CihazGrid->horizontalHeader()->setMinimumSectionSize(46);

    CihazEkleButon = makeButton("CihazEkleButon", QStringLiteral("Cihaz Ekle"), CihazTab);
    CihazDuzenleButon = makeButton("CihazDuzenleButon", QStringLiteral("Düzenle"), CihazTab);
    CihazSilButon = makeButton("CihazSilButon", QStringLiteral("Sil"), CihazTab);
    TestButon = makeButton("TestButon", QStringLiteral("Bağlantı Test"), CihazTab);
    YetkiliSilButon = makeButton("YetkiliSilButon", QStringLiteral("Yetkilileri Sil"), CihazTab);
    YedekSilButon = makeButton("YedekSilButon", QStringLiteral("Yedekleri Sil"), CihazTab);
    ZamanAyarButon = makeButton("ZamanAyarButon", QStringLiteral("Tarih/Saat Ayarla"), CihazTab);

    auto* layout = new QVBoxLayout(CihazTab);
    layout->addWidget(CihazGrid, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(CihazEkleButon, 0, 0);
    buttons->addWidget(CihazDuzenleButon, 0, 1);
    buttons->addWidget(CihazSilButon, 0, 2);
    buttons->addWidget(TestButon, 0, 3);
    buttons->addWidget(YetkiliSilButon, 1, 0);
    buttons->addWidget(YedekSilButon, 1, 1);
    buttons->addWidget(ZamanAyarButon, 1, 2, 1, 2);
    layout->addLayout(buttons);
}

void TAnaForm::buildSettingsPage()
{
    AyarTab = new QWidget;
    AyarTab->setObjectName(QStringLiteral("AyarTab"));
    AyarTab->setAttribute(Qt::WA_StyledBackground);
    Sayfalar->addTab(AyarTab, QStringLiteral("Ayarlar"));

    cxLabel5 = new QLabel(QStringLiteral("Kayıtları aktarmak istediğiniz dosyaı seçin"), AyarTab);
    cxLabel5->setObjectName(QStringLiteral("cxLabel5"));
    useLabelStyle(cxLabel5);
    AdresEdit = new QLineEdit(AyarTab);
    AdresEdit->setObjectName(QStringLiteral("AdresEdit"));
    AdresEdit->setAccessibleName(QStringLiteral("Hareket dosyası"));
    AdresKaydetButon = makeButton("AdresKaydetButon", QStringLiteral("Kaydet"), AyarTab);
    DegistirButon = makeButton("DegistirButon", QStringLiteral("Değiştir"), AyarTab);

    YedekBox = new QCheckBox(QStringLiteral("Cihazlardan yedekleri al"), AyarTab);
    YedekBox->setObjectName(QStringLiteral("YedekBox"));
    useLabelStyle(YedekBox);

    TarihSecimBox = new QGroupBox(AyarTab);
    TarihSecimBox->setObjectName(QStringLiteral("TarihSecimBox"));
    auto* fromLabel = new QLabel(QStringLiteral("Tarihinden"), TarihSecimBox);
    auto* toLabel = new QLabel(QStringLiteral("Tarihine"), TarihSecimBox);
    useLabelStyle(fromLabel);
    useLabelStyle(toLabel);
    TarihindenEdit = new OptionalDateEdit(TarihSecimBox);
    TarihindenEdit->setObjectName(QStringLiteral("TarihindenEdit"));
    TarihindenEdit->lineEdit()->setAccessibleName(QStringLiteral("Tarihinden"));
    TarihineEdit = new OptionalDateEdit(TarihSecimBox);
    TarihineEdit->setObjectName(QStringLiteral("TarihineEdit"));
    TarihineEdit->lineEdit()->setAccessibleName(QStringLiteral("Tarihine"));
    fromLabel->setBuddy(TarihindenEdit);
    toLabel->setBuddy(TarihineEdit);
    auto* dates = new QGridLayout(TarihSecimBox);
    dates->addWidget(fromLabel, 0, 0);
    dates->addWidget(TarihindenEdit, 0, 1);
    dates->addWidget(toLabel, 1, 0);
    dates->addWidget(TarihineEdit, 1, 1);
    TarihSecimBox->setVisible(false);

    KayitSilbox = new QCheckBox(QStringLiteral("Aktarımdan sonra cihazdaki kayıtlar silinsin"),
                                AyarTab);
    KayitSilbox->setObjectName(QStringLiteral("KayitSilbox"));
    useLabelStyle(KayitSilbox);
    KayitSilbox->setVisible(false);

    Button4 = makeButton("Button4", QStringLiteral("Button4"), AyarTab);
    Button4->setVisible(false);

    PersonelKayitButon =
        makeButton("PersonelKayitButon", QStringLiteral("Personel Kayıtları"), AyarTab);
    awaitFeature(PersonelKayitButon);

    auto* layout = new QVBoxLayout(AyarTab);
    layout->addWidget(cxLabel5);
    layout->addWidget(AdresEdit);
    auto* pathButtons = new QHBoxLayout;
    pathButtons->addStretch(1);
    pathButtons->addWidget(AdresKaydetButon);
    pathButtons->addWidget(DegistirButon);
    layout->addLayout(pathButtons);
    layout->addSpacing(8);
    layout->addWidget(YedekBox);
    layout->addWidget(TarihSecimBox);
    layout->addWidget(KayitSilbox);
    layout->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button4);
    bottom->addStretch(1);
    bottom->addWidget(PersonelKayitButon);
    layout->addLayout(bottom);
}

void TAnaForm::buildHiddenControls(QBoxLayout* layout, QBoxLayout* bottom)
{
    Button1 = makeButton("Button1", QStringLiteral("Aktarım Dene"), this);
    Button2 = makeButton("Button2", QStringLiteral("Get Enroll"), this);
    Button3 = makeButton("Button3", QStringLiteral("Set Enroll"), this);
    KayitMemo = new QPlainTextEdit(QStringLiteral("KayitMemo"), this);
    KayitMemo->setObjectName(QStringLiteral("KayitMemo"));
    YedekMemo = new QPlainTextEdit(this);
    YedekMemo->setObjectName(QStringLiteral("YedekMemo"));
    for (QWidget* widget : std::initializer_list<QWidget*>{Button1, Button2, Button3, KayitMemo,
                                                           YedekMemo})
        widget->setVisible(false);
    // In the window's layout, so that a developer who shows them finds
    // them in order rather than stacked in a corner.
    layout->insertWidget(1, KayitMemo);
    bottom->insertWidget(0, Button3);
    bottom->insertWidget(0, Button2);
    bottom->insertWidget(0, Button1);
    if (testbuttons::shownToDeveloper()) {
        for (QWidget* widget : std::initializer_list<QWidget*>{Button1, Button2, Button3, Button4})
            widget->setVisible(true);
    }
}

void TAnaForm::connectHandlers()
{
    connect(AdresEdit, &QLineEdit::textChanged, this,
            [this] { guarded([this] { AdresEditPropertiesChange(); }); });
    connect(AdresKaydetButon, &QPushButton::clicked, this,
            [this] { guarded([this] { AdresKaydetButonClick(); }); });
    connect(DegistirButon, &QPushButton::clicked, this,
            [this] { guarded([this] { DegistirButonClick(); }); });
    connect(KayitSilbox, &QCheckBox::toggled, this,
            [this] { guarded([this] { KayitSilboxPropertiesChange(); }); });
    connect(YedekBox, &QCheckBox::toggled, this,
            [this] { guarded([this] { YedekBoxPropertiesChange(); }); });
    connect(cxButton1, &QPushButton::clicked, this,
            [this] { guarded([this] { cxButton1Click(); }); });
    connect(CihazEkleButon, &QPushButton::clicked, this,
            [this] { guarded([this] { CihazEkleButonClick(); }); });
    connect(CihazDuzenleButon, &QPushButton::clicked, this,
            [this] { guarded([this] { CihazDuzenleButonClick(); }); });
    connect(CihazSilButon, &QPushButton::clicked, this,
            [this] { guarded([this] { CihazSilButonClick(); }); });
    connect(CihazGrid, &DataGrid::checkToggled, this, [this](int, const QString& field) {
        if (field.compare(QLatin1String("Isaret"), Qt::CaseInsensitive) == 0)
            guarded([this] { v_IsaretPropertiesChange(); });
    });
    // An end asked for during the run comes after its error box, if any.
    connect(AktarButon, &QPushButton::clicked, this, [this] {
        guarded([this] { AktarButonClick(); });
        endAsRequested();
    });
    connect(TestButon, &QPushButton::clicked, this, [this] { terminalFeature([this] { TestButonClick(); }); });
    connect(ZamanAyarButon, &QPushButton::clicked, this,
            [this] { terminalFeature([this] { ZamanAyarButonClick(); }); });
    connect(YedekSilButon, &QPushButton::clicked, this,
            [this] { terminalFeature([this] { YedekSilButonClick(); }); });
    connect(YetkiliSilButon, &QPushButton::clicked, this,
            [this] { terminalFeature([this] { YetkiliSilButonClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { terminalFeature([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { terminalFeature([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { terminalFeature([this] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { terminalFeature([this] { Button4Click(); }); });
}

void TAnaForm::terminalFeature(const std::function<void()>& handler)
{
    // A transfer lets the window work between terminals; the control is
    // its own until it ends.
    if (terminalBusy_)
        return;
    {
        const QScopedValueRollback busy(terminalBusy_, true);
        guarded(handler);
    }
    endAsRequested();
}

void TAnaForm::TestButonClick()
{
    LinkTest::run(*CC_, data_.CihazTable);
}

void TAnaForm::ZamanAyarButonClick()
{
    if (!zamanAyarForm_)
        throw Error(QStringLiteral("Tarih / Saat penceresi yok."));
    LinkSession link(*CC_, linkValuesOf(data_.CihazTable), linksite::kMaintenance);
    if (!link.linked())
        return;
    zamanAyarForm_->showFor(link);
    // The link stays open after the window; the next transfer drops it.
    link.leaveOpen();
}

void TAnaForm::YedekSilButonClick()
{
    LogClearing::run(*CC_, data_.CihazTable);
}

void TAnaForm::YetkiliSilButonClick()
{
    AdminRightsRemoval::run(*CC_, data_.CihazTable);
}

void TAnaForm::Button1Click()
{
    // Its link stays open; a transfer drops it, so what it showed stays
    // unconfirmed on the terminal.
    const testbuttons::TryTransferResult result = testbuttons::tryTransfer(*CC_);
    if (result.linked)
        KayitMemo->setVisible(true);
    for (const QString& line : result.lines)
        KayitMemo->appendPlainText(line);
}

void TAnaForm::Button2Click()
{
    KayitMemo->appendPlainText(testbuttons::getEnroll(*CC_, kept_));
}

void TAnaForm::Button3Click()
{
    testbuttons::setEnroll(*CC_, kept_);
}

void TAnaForm::Button4Click()
{
    if (!musveddeForm_)
        throw Error(QStringLiteral("MusveddeForm penceresi yok."));
    musveddeForm_->exec();
}

void TAnaForm::FormCreate()
{
    // The probe: a control that answers a harmless call is ready for use.
    probe_.KontrolHazir = false;
    try {
        CC_->CloseLink();
        probe_.KontrolHazir = true;
    } catch (...) {
    }
    setWindowTitle(QLatin1String(kCaption));
    MainWindowSetup(data_, values_, *this).run(values_.applicationDirectory);
}

void TAnaForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    guarded([this] { FormShow(); });
}

void TAnaForm::FormShow()
{
    AdresKaydetButon->setEnabled(false);
}

void TAnaForm::AdresEditPropertiesChange()
{
    AdresKaydetButon->setEnabled(true);
}

void TAnaForm::AdresKaydetButonClick()
{
    if (AdresEdit->text().isEmpty())
        return;
    values_.movementFilePath = resolveFileName(values_.applicationDirectory, AdresEdit->text());
    KaydetSTR(Settings::kSection, Settings::kMovementFile, AdresEdit->text());
    AdresKaydetButon->setEnabled(false);
}

void TAnaForm::DegistirButonClick()
{
    const auto chosen = dialogs().chooseFileToOpen(values_.applicationDirectory);
    if (!chosen || chosen->isEmpty())
        return;
    AdresEdit->setText(*chosen);
    values_.movementFilePath = resolveFileName(values_.applicationDirectory, AdresEdit->text());
    KaydetSTR(Settings::kSection, Settings::kMovementFile, AdresEdit->text());
}

void TAnaForm::KayitSilboxPropertiesChange()
{
    KaydetInt(Settings::kSection, Settings::kDeleteAfterTransfer, KayitSilbox->isChecked() ? 1 : 0);
}

void TAnaForm::YedekBoxPropertiesChange()
{
    TarihSecimBox->setVisible(YedekBox->isChecked());
}

void TAnaForm::closeEvent(QCloseEvent* event)
{
    // The window handles events while a run reads (its repaints), so a close
    // request from the window manager can come in the middle of a terminal.
    // Closing then would hide the window while the run goes on behind it;
    // the request is kept instead: the run stops after the terminal in hand
    // and the window closes after it.
    if (terminalBusy_) {
        if (pendingEnd_ == PendingEnd::None)
            pendingEnd_ = PendingEnd::CloseWindow;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TAnaForm::endAsRequested()
{
    if (terminalBusy_)
        return;
    switch (std::exchange(pendingEnd_, PendingEnd::None)) {
    case PendingEnd::None:
        return;
    case PendingEnd::CloseWindow:
        close();
        return;
    case PendingEnd::EndProgram:
        cxButton1Click();
        return;
    }
}

void TAnaForm::cxButton1Click()
{
    // During a run the program ends after it, as a close of the window does.
    if (terminalBusy_) {
        pendingEnd_ = PendingEnd::EndProgram;
        return;
    }
    // Nothing is saved: every change was written when it was made.
    QCoreApplication::quit();
}

void TAnaForm::useWindows(TPersonelForm& personel, TZamanAyarForm& zamanAyar, TMusveddeForm& musvedde)
{
    personelForm_ = &personel;
    zamanAyarForm_ = &zamanAyar;
    musveddeForm_ = &musvedde;
}

// The list buttons do nothing while a handler talks to a terminal: a run
// lets the window work between terminals, and a dialog opened there would
// hold the run up with the list half changed.
void TAnaForm::CihazEkleButonClick()
{
    if (terminalBusy_)
        return;
    TerminalList(context_).beginAdd();
    TCihazForm form(context_, this);
    form.setGCDurum(0);
    form.exec();
}

void TAnaForm::CihazDuzenleButonClick()
{
    if (terminalBusy_)
        return;
    TerminalList(context_).beginEdit();
    TCihazForm form(context_, this);
    form.exec();
}

void TAnaForm::CihazSilButonClick()
{
    if (terminalBusy_)
        return;
    TerminalList(context_).remove();
}

void TAnaForm::v_IsaretPropertiesChange()
{
    // The grid has posted the row; the choice of terminals outlives the
    // program only in the file. A failed save leaves the old file whole and
    // the tick in the table, so the next save writes it.
    TerminalList(context_).save();
}

void TAnaForm::AktarButonClick()
{
    if (terminalBusy_)
        return;
    const QScopedValueRollback busy(terminalBusy_, true);
    TransferSettings settings;
    settings.applicationDirectory = values_.applicationDirectory;
    settings.movementFilePath = values_.movementFilePath;
    settings.entryCode = values_.entryCode;
    settings.exitCode = values_.exitCode;
    settings.allRecords = YedekBox->isChecked();
    settings.fromDate = TarihindenEdit->date();
    settings.toDate = TarihineEdit->date();
    settings.today = pcClock().now().date();
    WindowTransferView view(*this);
    TransferRun(data_.CihazTable, *CC_, std::move(settings), view).run();
}

void TAnaForm::KaydetSTR(const QString& section, const QString& key, const QString& value)
{
    Settings(values_.applicationDirectory).writeText(section, key, value);
}

void TAnaForm::KaydetInt(const QString& section, const QString& key, qint32 value)
{
    Settings(values_.applicationDirectory).writeInteger(section, key, value);
}

void TAnaForm::showMovementFilePath(const QString& path)
{
    AdresEdit->setText(path);
}

void TAnaForm::tickDeleteAfterTransferQuietly()
{
    const QSignalBlocker quiet(KayitSilbox);
    KayitSilbox->setChecked(true);
}

}  // namespace tavlo
