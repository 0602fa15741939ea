#include "app/Startup.h"
#include "app/ui/AnaForm.h"
#include "platform/ui/DataGrid.h"
#include "store/DataModul.h"
#include "tests/support/PrintQt.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tavlo {
namespace {

const QByteArray kTerminalList =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\r\n"
    "1\tGiriş Kapısı\t1\t1\t10.0.0.1\t0\t5005\t1\t\t\t0\t\t0\r\n";

class AnaFormTest : public testing::Test {
protected:
    AnaFormTest() { user.registerControl(); }

    void create()
    {
        context = std::make_unique<ProgramContext>(data, app.withSeparator());
        form = std::make_unique<TAnaForm>(*context, probe);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no control named " << name;
        return found;
    }

    QByteArray settings() const { return app.read("Ayarlar.ini"); }

    test::UserFolders user;
    test::TempFolder app;
    test::ScriptedDialogs dialogs;
    ControlProbe probe;
    TDataModul data;
    std::unique_ptr<ProgramContext> context;
    std::unique_ptr<TAnaForm> form;
};

TEST_F(AnaFormTest, OpensWithItsCaptionSizeAndThreePages)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    EXPECT_EQ(form->windowTitle(), "Tavlo Senkor  v1.7");
    EXPECT_EQ(form->size(), QSize(480, 453));
    auto* pages = child<QTabWidget>("Sayfalar");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Hareketleri Aktar");
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Cihaz Ayarları"));
    EXPECT_EQ(pages->tabText(2), "Ayarlar");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(probe.KontrolHazir);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(AnaFormTest, HiddenControlsExistButAreNeverShown)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    for (const char* name : {"Button1", "Button2", "Button3", "Button4", "KayitMemo", "YedekMemo",
                             "KayitSilbox", "TarihSecimBox"}) {
        QWidget* widget = child<QWidget>(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_FALSE(widget->isVisibleTo(form.get())) << name;
    }
    for (const char* name : {"AktarButon", "CihazEkleButon", "CihazDuzenleButon", "CihazSilButon",
                             "TestButon", "YetkiliSilButon", "YedekSilButon", "ZamanAyarButon",
                             "AdresKaydetButon", "DegistirButon", "PersonelKayitButon",
                             "cxButton1"})
        EXPECT_NE(child<QPushButton>(name), nullptr);
}

TEST_F(AnaFormTest, GridsShowTheirColumnsByCaption)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    const auto visibleCaptions = [](DataGrid* grid) {
        QStringList captions;
        QHeaderView* header = grid->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (!header->isSectionHidden(logical))
                captions << grid->model()->headerData(logical, Qt::Horizontal).toString();
        }
        return captions;
    };
    EXPECT_EQ(visibleCaptions(child<DataGrid>("CihazAktarimGrid")),
              (QStringList{QStringLiteral("Cihaz Adı"), "Transfer Durumu", "Aciklama"}));
    EXPECT_EQ(visibleCaptions(child<DataGrid>("CihazGrid")),
              (QStringList{QStringLiteral("Seç"), "Cz.No", QStringLiteral("Cihaz Adı"),
                           QStringLiteral("Bağlantı Tipi"), "IP Adresi", "Mk.No", "Parola",
                           "Port"}));
}

TEST_F(AnaFormTest, SaveButtonFollowsThePathEditor)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    auto* save = child<QPushButton>("AdresKaydetButon");
    auto* path = child<QLineEdit>("AdresEdit");
    EXPECT_EQ(path->text(), app.withSeparator() + "Hareketler.txt");
    EXPECT_FALSE(save->isEnabled());

    path->clear();
    EXPECT_TRUE(save->isEnabled());
    const QByteArray before = settings();
    save->click();
    EXPECT_TRUE(save->isEnabled()) << "an empty path is not saved";
    EXPECT_EQ(settings(), before);

    QTest::keyClicks(path, "/veri/");
    path->insert(QStringLiteral("Çıkış.txt"));
    save->click();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(form->values().movementFilePath, QStringLiteral("/veri/Çıkış.txt"));
    EXPECT_EQ(settings(),
              "[Ayarlar]\r\nKayitDosyasi=/veri/\xC7\xFDk\xFD\xFE.txt\r\nAktarimdanSonraSil=1\r\n");
}

TEST_F(AnaFormTest, ChangeTakesTheChosenFileAndCancelChangesNothing)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    auto* change = child<QPushButton>("DegistirButon");
    auto* path = child<QLineEdit>("AdresEdit");
    const QByteArray before = settings();

    dialogs.nextFileNames.push_back(std::nullopt);
    change->click();
    EXPECT_EQ(path->text(), app.withSeparator() + "Hareketler.txt");
    EXPECT_EQ(settings(), before);

    dialogs.nextFileNames.push_back(QStringLiteral("/arsiv/hareket.txt"));
    change->click();
    EXPECT_EQ(path->text(), "/arsiv/hareket.txt");
    EXPECT_EQ(form->values().movementFilePath, "/arsiv/hareket.txt");
    EXPECT_EQ(settings(), "[Ayarlar]\r\nKayitDosyasi=/arsiv/hareket.txt\r\nAktarimdanSonraSil=1\r\n");
    EXPECT_EQ(dialogs.fileDialogFolders,
              (QStringList{app.withSeparator(), app.withSeparator()}));
}

TEST_F(AnaFormTest, BackupBoxShowsAndHidesTheDateGroup)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    auto* box = child<QCheckBox>("YedekBox");
    auto* dates = child<QGroupBox>("TarihSecimBox");
    child<QTabWidget>("Sayfalar")->setCurrentIndex(2);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(dates->isVisible());
    box->click();
    EXPECT_TRUE(dates->isVisible());
    box->click();
    EXPECT_FALSE(dates->isVisible());
}

TEST_F(AnaFormTest, DeleteAfterTransferBoxWritesEachChange)
{
    app.write("Cihazlar.Dat", kTerminalList);
    app.write("Ayarlar.ini", "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\nAktarimdanSonraSil=0\r\n");
    create();
    auto* box = child<QCheckBox>("KayitSilbox");
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    EXPECT_EQ(settings(), "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\nAktarimdanSonraSil=1\r\n");
    box->setChecked(false);
    EXPECT_EQ(settings(), "[Ayarlar]\r\nKayitDosyasi=/h.txt\r\nAktarimdanSonraSil=0\r\n");
}

TEST_F(AnaFormTest, MissingTerminalListShowsTheErrorAndTheWindowStillOpens)
{
    create();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().startsWith("Cannot open file \"" + app.file("Cihazlar.Dat")));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Tavlo Senkor  v1.7");
    EXPECT_FALSE(data.PersonelTable.isOpen());
}

TEST_F(AnaFormTest, UnwritableSettingsShowUnableToWriteAndTheWindowStillOpens)
{
    app.write("Cihazlar.Dat", kTerminalList);
    {
        test::ReadOnlyFolder readOnly(app.path());
        create();
    }
    EXPECT_EQ(dialogs.errors, QStringList{"Unable to write to " + app.file("Ayarlar.ini")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(child<QLineEdit>("AdresEdit")->text(), "");
    EXPECT_FALSE(data.CihazTable.isOpen());
}

TEST_F(AnaFormTest, UnwritableSettingsReportEachLaterWrite)
{
    app.write("Cihazlar.Dat", kTerminalList);
    create();
    test::ReadOnlyFolder readOnly(app.path());
    auto* path = child<QLineEdit>("AdresEdit");
    path->setText("/baska.txt");
    child<QPushButton>("AdresKaydetButon")->click();
    EXPECT_EQ(dialogs.errors, QStringList{"Unable to write to " + app.file("Ayarlar.ini")});
    EXPECT_TRUE(child<QPushButton>("AdresKaydetButon")->isEnabled());
}

const QByteArray kTerminalListHeader =
    "CihazNo\tCihazAdi\tMakineNo\tBaglantiTipi\tIPAdres\tParola\tPort\tIsaret\tDurum\tAciklama\t"
    "TransferDurumu\tComportNo\tGCTip\r\n";

// A list of two terminals ticked as given, as a save writes it after start.
QString twoTerminals(int firstTicked, int secondTicked)
{
    return QString::fromLatin1(
        kTerminalListHeader
        + QByteArray("1\tKapi\t1\t1\t10.0.0.1\t0\t5005\t%1\t\t\t0\t\t0\r\n"
                        "2\tDepo\t2\t1\t10.0.0.2\t0\t5005\t%2\t\t\t0\t\t0\r\n")
                 .replace("%1", QByteArray::number(firstTicked))
              .replace("%2", QByteArray::number(secondTicked)));
}

class TerminalTickTest : public AnaFormTest {
protected:
    void SetUp() override
    {
        app.write("Cihazlar.Dat", twoTerminals(1, 0).toLatin1());
        create();
        child<QTabWidget>("Sayfalar")->setCurrentIndex(1);
        grid = child<DataGrid>("CihazGrid");
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid->window()));
    }

    // Clicks the check box of the "Seç" cell of a row, as the operator does.
    void clickTick(int row)
    {
        const QModelIndex index = grid->model()->index(row, grid->columnOf("v_Isaret"));
        QStyleOptionViewItem option;
        option.initFrom(grid->viewport());
        option.rect = grid->visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
    }

    QString listFile() const { return QString::fromLatin1(app.read("Cihazlar.Dat")); }

    qint32 tickOf(int row)
    {
        data.CihazTable.moveTo(row);
        return data.CihazTable.asInteger("Isaret");
    }

    DataGrid* grid = nullptr;
};

TEST_F(TerminalTickTest, EveryTickAndUntickIsWrittenToTheListAtOnce)
{
    clickTick(1);
    EXPECT_EQ(listFile(), twoTerminals(1, 1));
    clickTick(0);
    EXPECT_EQ(listFile(), twoTerminals(0, 1));
    clickTick(1);
    EXPECT_EQ(listFile(), twoTerminals(0, 0));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

TEST_F(TerminalTickTest, AFailedSaveShowsTheErrorAndTheNextSaveWritesTheTickToo)
{
    const QString list = app.file("Cihazlar.Dat");
    const auto writable = QFile::permissions(list);
    QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    {
        test::ReadOnlyFolder readOnly(app.path());
        clickTick(1);
    }
    QFile::setPermissions(list, writable);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().contains(list)) << dialogs.errors.front().toStdString();
    EXPECT_EQ(listFile(), twoTerminals(1, 0)) << "the file stays whole";
    EXPECT_EQ(tickOf(1), 1) << "the tick stays in the list";

    clickTick(0);
    EXPECT_EQ(listFile(), twoTerminals(0, 1));
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST(Translation, StandardButtonsSpeakTurkish)
{
    QMessageBox box(QMessageBox::Warning, "UYARI", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Evet");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Hayır"));
    QMessageBox ok(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
    EXPECT_EQ(ok.button(QMessageBox::Ok)->text().remove('&'), "Tamam");
}

}  // namespace
}  // namespace tavlo
