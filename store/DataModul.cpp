#include "store/DataModul.h"

#include "platform/Error.h"

namespace tavlo {
namespace {

TDataModul* instance = nullptr;

FieldDef integer(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Integer, 0, std::nullopt};
}

FieldDef smallInteger(const char* name, std::optional<qint32> defaultValue = std::nullopt)
{
    return {QString::fromLatin1(name), FieldType::SmallInteger, 0, defaultValue};
}

FieldDef text(const char* name, int width)
{
    return {QString::fromLatin1(name), FieldType::Text, width, std::nullopt};
}

std::vector<FieldDef> cihazFields()
{
    return {
        integer("CihazNo"),
        text("CihazAdi", 30),
        integer("MakineNo"),
        smallInteger("BaglantiTipi"),
        text("IPAdres", 20),
        text("Parola", 10),
        integer("Port"),
        smallInteger("Isaret"),
        smallInteger("Durum"),
        text("Aciklama", 30),
        integer("TransferDurumu"),
        smallInteger("ComportNo"),
        smallInteger("GCTip", 0),
    };
}

std::vector<FieldDef> personelFields()
{
    return {
        integer("PersonelNo"),
        integer("KartNo"),
        integer("Yetki"),
        integer("Sifre"),
        integer("IzinDurum"),
        integer("Secim"),
    };
}

std::vector<FieldDef> personelTamponFields()
{
    return {
        integer("PersonelNo"),
        integer("KartNo"),
        integer("Yetki"),
        integer("Sifre"),
        integer("IzinDurum"),
        text("Backup", 30),
        integer("BackupInt"),
        integer("Secim"),
    };
}

}  // namespace

TDataModul::TDataModul()
    : CihazTable(QStringLiteral("CihazTable"), cihazFields()),
      PersonelTable(QStringLiteral("PersonelTable"), personelFields()),
      PersonelTampon(QStringLiteral("PersonelTampon"), personelTamponFields()),
      CihazKaynak(CihazTable),
      PersonelKaynak(PersonelTable),
      PersonelTamponKaynak(PersonelTampon)
{
    if (instance)
        throw Error(QStringLiteral("The data module exists already."));
    instance = this;
}

TDataModul::~TDataModul()
{
    if (instance == this)
        instance = nullptr;
}

TDataModul& DataModul()
{
    if (!instance)
        throw Error(QStringLiteral("The data module does not exist."));
    return *instance;
}

bool dataModulExists()
{
    return instance != nullptr;
}

}  // namespace tavlo
