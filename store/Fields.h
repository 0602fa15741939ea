#pragma once

#include <QString>

namespace tavlo {

// A field of a table, typed by what it holds. Code names fields only through
// the constants below, which the data module defines its tables with, so a
// misspelt field does not compile.
struct IntField {
    const char* name;
    QString text() const { return QString::fromLatin1(name); }
};
struct TextField {
    const char* name;
    int width;
    QString text() const { return QString::fromLatin1(name); }
};

// Every table's automatic record number.
inline constexpr IntField RecId{"RecId"};

// CihazTable: one row per terminal.
namespace Cihaz {
inline constexpr IntField CihazNo{"CihazNo"};
inline constexpr TextField CihazAdi{"CihazAdi", 30};
inline constexpr IntField MakineNo{"MakineNo"};
inline constexpr IntField BaglantiTipi{"BaglantiTipi"};  // small integer
inline constexpr TextField IPAdres{"IPAdres", 20};
inline constexpr TextField Parola{"Parola", 10};
inline constexpr IntField Port{"Port"};
inline constexpr IntField Isaret{"Isaret"};  // small integer
inline constexpr IntField Durum{"Durum"};    // small integer
inline constexpr TextField Aciklama{"Aciklama", 30};
inline constexpr IntField TransferDurumu{"TransferDurumu"};
inline constexpr IntField ComportNo{"ComportNo"};  // small integer
inline constexpr IntField GCTip{"GCTip"};          // small integer
}  // namespace Cihaz

// PersonelTable: one row per person known to the PC.
namespace Personel {
inline constexpr IntField PersonelNo{"PersonelNo"};
inline constexpr IntField KartNo{"KartNo"};
inline constexpr IntField Yetki{"Yetki"};
inline constexpr IntField Sifre{"Sifre"};
inline constexpr IntField IzinDurum{"IzinDurum"};
inline constexpr IntField Secim{"Secim"};
}  // namespace Personel

// PersonelTampon: the users read from one terminal.
namespace Tampon {
inline constexpr IntField PersonelNo{"PersonelNo"};
inline constexpr IntField KartNo{"KartNo"};
inline constexpr IntField Yetki{"Yetki"};
inline constexpr IntField Sifre{"Sifre"};
inline constexpr IntField IzinDurum{"IzinDurum"};
inline constexpr TextField Backup{"Backup", 30};
inline constexpr IntField BackupInt{"BackupInt"};
inline constexpr IntField Secim{"Secim"};
}  // namespace Tampon

}  // namespace tavlo
