#include "admin/ui/CihazForm.h"

#include "admin/TerminalList.h"
#include "platform/Guard.h"
#include "platform/ui/BoundPickList.h"
#include "platform/ui/BoundSpinEdit.h"
#include "platform/ui/BoundTextEdit.h"
#include "store/DataModul.h"
#include "store/ProgramContext.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlo {
namespace {

constexpr int kEditorWidth = 190;

}  // namespace

TCihazForm::TCihazForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context)
{
    setObjectName(QStringLiteral("CihazForm"));
    setWindowTitle(QStringLiteral("Cihaz Ekle / Düzenle"));

    Table& terminals = context_.data.CihazTable;
    CihazNoEdit = new BoundSpinEdit(terminals, Cihaz::CihazNo, this);
    CihazNoEdit->setObjectName(QStringLiteral("CihazNoEdit"));
    CihazAdiEdit = new BoundTextEdit(terminals, Cihaz::CihazAdi, this);
    CihazAdiEdit->setObjectName(QStringLiteral("CihazAdiEdit"));
    MakineNoEdit = new BoundSpinEdit(terminals, Cihaz::MakineNo, this);
    MakineNoEdit->setObjectName(QStringLiteral("MakineNoEdit"));
    BaglantiTipiEdit = new BoundPickList(
        terminals, Cihaz::BaglantiTipi,
        {{1, QStringLiteral("Ethernet")}, {2, QStringLiteral("Comm Port")},
         {3, QStringLiteral("USB Bağlantısı")}},
        this);
    BaglantiTipiEdit->setObjectName(QStringLiteral("BaglantiTipiEdit"));
    IPAdresEdit = new BoundTextEdit(terminals, Cihaz::IPAdres, this);
    IPAdresEdit->setObjectName(QStringLiteral("IPAdresEdit"));
    IPPortEdit = new BoundSpinEdit(terminals, Cihaz::Port, this);
    IPPortEdit->setObjectName(QStringLiteral("IPPortEdit"));
    ParolaEdit = new BoundTextEdit(terminals, Cihaz::Parola, this);
    ParolaEdit->setObjectName(QStringLiteral("ParolaEdit"));
    GCDurumEdit = new BoundPickList(
        terminals, Cihaz::GCTip,
        {{0, QStringLiteral("Giriş / Çıkış")}, {1, QStringLiteral("Giriş")},
         {2, QStringLiteral("Çıkış")}},
        this);
    GCDurumEdit->setObjectName(QStringLiteral("GCDurumEdit"));

    auto* editors = new QGridLayout;
    editors->setColumnMinimumWidth(1, kEditorWidth);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Cihaz No :", CihazNoEdit},   {"Cihaz Adı :", CihazAdiEdit},
        {"Makine No :", MakineNoEdit}, {"Bağlantı Tipi :", BaglantiTipiEdit},
        {"IP Adresi :", IPAdresEdit},  {"Port:", IPPortEdit},
        {"Parola :", ParolaEdit},      {"Gir-Çık Durumu :", GCDurumEdit},
    };
    int row = 0;
    for (const auto& [caption, editor] : rows) {
        editors->addWidget(addLabelled(QString::fromUtf8(caption), editor), row, 0);
        editors->addWidget(editor, row, 1);
        ++row;
    }

    cxButton2 = new QPushButton(QStringLiteral("Kaydet ve Kapat"), this);
    cxButton2->setObjectName(QStringLiteral("cxButton2"));
    cxButton1 = new QPushButton(QStringLiteral("İptal"), this);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    for (QPushButton* button : {cxButton2, cxButton1})
        button->setCursor(Qt::PointingHandCursor);
    // Enter saves, as in any dialog; Escape is "İptal".
    cxButton2->setDefault(true);
    connect(cxButton2, &QPushButton::clicked, this, [this] { guarded([this] { cxButton2Click(); }); });
    connect(cxButton1, &QPushButton::clicked, this, [this] { guarded([this] { cxButton1Click(); }); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cxButton2);
    buttons->addStretch(1);
    buttons->addWidget(cxButton1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(editors);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TCihazForm::~TCihazForm() = default;

QLabel* TCihazForm::addLabelled(const QString& caption, QWidget* editor)
{
    auto* label = new QLabel(caption, this);
    label->setProperty("class", "LabelStil");
    label->setBuddy(editor);
    return label;
}

TerminalList TCihazForm::terminalList() const
{
    return TerminalList(context_);
}

void TCihazForm::setGCDurum(qint32 value)
{
    GCDurumEdit->setValue(value);
}

void TCihazForm::cxButton2Click()
{
    // A failed save raises before the dialog closes, so it stays open with
    // the posted row.
    terminalList().commit();
    done(QDialog::Accepted);
}

void TCihazForm::cxButton1Click()
{
    terminalList().discard();
    done(QDialog::Rejected);
}

void TCihazForm::reject()
{
    guarded([this] { cxButton1Click(); });
}

void TCihazForm::closeEvent(QCloseEvent* event)
{
    // The frame's close ends the modal loop and nothing else: the row stays
    // pending as it stands and the file is not written.
    event->accept();
    if (isVisible())
        done(QDialog::Rejected);
}

}  // namespace tavlo
