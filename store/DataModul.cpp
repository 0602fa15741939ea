#include "store/DataModul.h"

#include "platform/Error.h"

namespace tavlo {
namespace {

TDataModul* instance = nullptr;

FieldDef integer(IntField field)
{
    return {field.text(), FieldType::Integer, 0, std::nullopt};
}

FieldDef smallInteger(IntField field, std::optional<qint32> defaultValue = std::nullopt)
{
    return {field.text(), FieldType::SmallInteger, 0, defaultValue};
}

FieldDef text(TextField field)
{
    return {field.text(), FieldType::Text, field.width, std::nullopt};
}

std::vector<FieldDef> cihazFields()
{
    using namespace Cihaz;
    return {
        integer(CihazNo),
        text(CihazAdi),
        integer(MakineNo),
        smallInteger(BaglantiTipi),
        text(IPAdres),
        text(Parola),
        integer(Port),
        smallInteger(Isaret),
        smallInteger(Durum),
        text(Aciklama),
        integer(TransferDurumu),
        smallInteger(ComportNo),
        smallInteger(GCTip, 0),
    };
}

std::vector<FieldDef> personelFields()
{
    using namespace Personel;
    return {integer(PersonelNo), integer(KartNo), integer(Yetki),
            integer(Sifre),      integer(IzinDurum), integer(Secim)};
}

std::vector<FieldDef> personelTamponFields()
{
    using namespace Tampon;
    return {integer(PersonelNo), integer(KartNo),   integer(Yetki),     integer(Sifre),
            integer(IzinDurum),  text(Backup),      integer(BackupInt), integer(Secim)};
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
