// The settings file as an operator's editor, a crash or a full disk may
// leave it, read through the private-profile layer as the program reads
// it. Every read gives the file's value or the fallback, never more than
// the profile functions' buffer holds; a number that is not one gives the
// fallback. Writing one key afterwards gives that key back and changes no
// other key.

#include "app/Settings.h"
#include "platform/Error.h"
#include "platform/PrivateProfile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ScratchFolder.h"

#include <QStringList>

#include <string_view>

using namespace tavlo;

namespace {

const QString kSection = QString::fromLatin1(Settings::kSection);
const QStringList kKeys = {QString::fromLatin1(Settings::kMovementFile),
                           QString::fromLatin1(Settings::kDeleteAfterTransfer),
                           QString::fromLatin1(Settings::kEntryCode),
                           QString::fromLatin1(Settings::kExitCode)};
const QString kMissing = QStringLiteral("\x01yok");

QStringList readAll(const PrivateProfile& profile)
{
    QStringList values;
    for (const QString& key : kKeys) {
        const QString text = profile.readString(kSection, key, kMissing);
        fuzzCheck(text.size() <= PrivateProfile::kMaxTextLength, "a read fits the buffer");
        const qint32 number = profile.readInteger(kSection, key, -77);
        const auto parsed = PrivateProfile::parseInteger(text == kMissing ? QString() : text);
        fuzzCheck(number == parsed.value_or(-77), "a number is the text's, or the fallback");
        fuzzCheck(profile.readBool(kSection, key, true) == (parsed.value_or(1) != 0),
                  "a flag is the number's");
        values << text;
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PrivateProfile profile(fuzz::writeScratchFile(QStringLiteral("Ayarlar.ini"), content));
    QStringList before = readAll(profile);

    const QString written = QStringLiteral("D:/Kay\u0131tlar/Hareketler.txt");
    try {
        profile.writeString(kSection, kKeys.front(), written);
    } catch (const Error&) {
        fuzzCheck(false, "the settings file of a writable folder is written");
    }
    QStringList after = readAll(profile);
    fuzzCheck(after.takeFirst() == written, "the key written reads back");
    before.removeFirst();
    fuzzCheck(after == before, "writing one key changes no other");
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    const auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    return {
        bytes("[Ayarlar]\r\nKayitDosyasi=C:\\Kay\xFDtlar\\Hareketler.txt\r\nAktarimdanSonraSil=1\r\n"
              "GirisSTR=Giri\xFE\r\nCikisSTR=\"0\"\r\n"),
        bytes("; yorum\n[diger]\nGirisSTR=x\n[ AYARLAR ]\n  aktarimdansonrasil = 0x1F \n"
              "cikisstr='  yedi   '\n[Ayarlar]\nGirisSTR=2\n"),
        bytes("[Ayarlar\rKayitDosyasi\r=\r[Ayarlar]]\rAktarimdanSonraSil=-2147483648\rCikisSTR=FFFFFFFF"),
    };
}
