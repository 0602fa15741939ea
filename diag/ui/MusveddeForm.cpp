#include "diag/ui/MusveddeForm.h"

#include "diag/ScratchTools.h"
#include "platform/Guard.h"
#include "store/DataModul.h"
#include "store/ProgramContext.h"
#include "terminal/TSBXPC.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlo {

TMusveddeForm::TMusveddeForm(ProgramContext& context, QWidget* parent)
    : QDialog(parent), context_(context), CC_(std::make_unique<TSBXPC>())
{
    setObjectName(QStringLiteral("MusveddeForm"));
    setWindowTitle(QStringLiteral("MusveddeForm"));

    Connectbuton = makeButton("Connectbuton", QStringLiteral("Connectbuton"));
    Edit1 = new QLineEdit(QStringLiteral("1"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(QStringLiteral("1"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    // The scratch file lives in the application folder by default.
    Edit3 = new QLineEdit(context_.file(QLatin1String(scratch::kDefaultFileName)), this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    DownLoadButon = makeButton("DownLoadButon", QStringLiteral("Download"));
    UpLoadButon = makeButton("UpLoadButon", QStringLiteral("UploadButon"));
    Button2 = makeButton("Button2", QStringLiteral("Sil"));
    TempEdit = new QPlainTextEdit(QStringLiteral("TempEdit"), this);
    TempEdit->setObjectName(QStringLiteral("TempEdit"));
    Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Personel No"), Edit1);
    fields->addRow(QStringLiteral("Parmak No"), Edit2);
    fields->addRow(Edit3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Connectbuton, DownLoadButon, UpLoadButon, Button2})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(fields);
    auto* memos = new QHBoxLayout;
    memos->addWidget(TempEdit);
    memos->addWidget(Memo1);
    layout->addLayout(memos);

    connect(Connectbuton, &QPushButton::clicked, this, [this] { guarded([this] { ConnectbutonClick(); }); });
    connect(DownLoadButon, &QPushButton::clicked, this, [this] { guarded([this] { DownLoadButonClick(); }); });
    connect(UpLoadButon, &QPushButton::clicked, this, [this] { guarded([this] { UpLoadButonClick(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });
}

TMusveddeForm::~TMusveddeForm() = default;

QPushButton* TMusveddeForm::makeButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void TMusveddeForm::ConnectbutonClick()
{
    if (scratch::connect(*CC_, context_.data.CihazTable))
        Memo1->appendPlainText(QString::fromUtf8(scratch::kLinked));
}

void TMusveddeForm::DownLoadButonClick()
{
    // The memo changes only once the file is saved.
    const QStringList lines = scratch::download(*CC_, Edit1->text(), Edit2->text(), Edit3->text());
    TempEdit->setPlainText(lines.join(QLatin1Char('\n')));
}

void TMusveddeForm::UpLoadButonClick()
{
    const QStringList rest = scratch::upload(*CC_, Edit1->text(), Edit3->text());
    TempEdit->setPlainText(rest.join(QLatin1Char('\n')));
}

void TMusveddeForm::Button2Click()
{
    scratch::removeAll(*CC_, Edit1->text());
}

}  // namespace tavlo
