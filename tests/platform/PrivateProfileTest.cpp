#include "platform/Error.h"
#include "platform/PrivateProfile.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

class PrivateProfileTest : public testing::Test {
protected:
    test::TempFolder folder;
    PrivateProfile ini{folder.file("Ayarlar.ini")};
};

TEST_F(PrivateProfileTest, FirstWriteCreatesFileWithSection)
{
    ini.writeString("Ayarlar", "KayitDosyasi", "/x/Hareketler.txt");
    ini.writeInteger("Ayarlar", "AktarimdanSonraSil", 1);
    EXPECT_EQ(folder.read("Ayarlar.ini"),
              "[Ayarlar]\r\nKayitDosyasi=/x/Hareketler.txt\r\nAktarimdanSonraSil=1\r\n");
}

TEST_F(PrivateProfileTest, SectionsAndKeysMatchWithoutRegardToCase)
{
    folder.write("Ayarlar.ini", "[AYARLAR]\r\nkayitdosyasi = /a.txt \r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "KayitDosyasi", "d"), "/a.txt");
    ini.writeString("ayarlar", "KAYITDOSYASI", "/b.txt");
    EXPECT_EQ(folder.read("Ayarlar.ini"), "[AYARLAR]\r\nKAYITDOSYASI=/b.txt\r\n");
}

TEST_F(PrivateProfileTest, WritingOneKeyKeepsEveryOtherLine)
{
    folder.write("Ayarlar.ini",
                 "; kept comment\n[Diger]\nA=1\n\n[Ayarlar]\nGirisSTR=G\nCikisSTR=C\n[Son]\nZ=9");
    ini.writeString("Ayarlar", "GirisSTR", "X");
    ini.writeString("Ayarlar", "Yeni", "Y");
    EXPECT_EQ(folder.read("Ayarlar.ini"),
              "; kept comment\r\n[Diger]\r\nA=1\r\n\r\n[Ayarlar]\r\nGirisSTR=X\r\nCikisSTR=C\r\n"
              "Yeni=Y\r\n[Son]\r\nZ=9\r\n");
}

TEST_F(PrivateProfileTest, ReadsFallBackWhenKeyOrSectionIsMissing)
{
    folder.write("Ayarlar.ini", "[Diger]\r\nGirisSTR=G\r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "GirisSTR", "1"), "1");
    EXPECT_EQ(ini.readInteger("Ayarlar", "AktarimdanSonraSil", 7), 7);
}

TEST_F(PrivateProfileTest, QuotesAroundAValueAreDropped)
{
    folder.write("Ayarlar.ini", "[Ayarlar]\r\nA=\"  x \"\r\nB='y'\r\nC=\"z'\r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "A", ""), "  x ");
    EXPECT_EQ(ini.readString("Ayarlar", "B", ""), "y");
    EXPECT_EQ(ini.readString("Ayarlar", "C", ""), "\"z'");
}

TEST_F(PrivateProfileTest, TextIsCutTo2047Characters)
{
    folder.write("Ayarlar.ini", "[Ayarlar]\r\nK=" + QByteArray(3000, 'a') + "\r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "K", "").size(), 2047);
}

TEST_F(PrivateProfileTest, TurkishTextIsStoredInCodePage1254)
{
    ini.writeString("Ayarlar", "KayitDosyasi", QStringLiteral("/veri/Şirket ığ.txt"));
    EXPECT_EQ(folder.read("Ayarlar.ini"), "[Ayarlar]\r\nKayitDosyasi=/veri/\xDEirket \xFD\xF0.txt\r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "KayitDosyasi", ""), QStringLiteral("/veri/Şirket ığ.txt"));
}

TEST_F(PrivateProfileTest, AFileSavedAsUtf8WithAMarkIsReadAsUtf8AndWrittenBackIn1254)
{
    folder.write("Ayarlar.ini", "\xEF\xBB\xBF[Ayarlar]\r\nKayitDosyasi=/veri/\xC5\x9E" "irket.txt\r\n");
    EXPECT_EQ(ini.readString("Ayarlar", "KayitDosyasi", ""), QStringLiteral("/veri/Şirket.txt"));
    ini.writeString("Ayarlar", "GirisSTR", "G");
    EXPECT_EQ(folder.read("Ayarlar.ini"), "[Ayarlar]\r\nKayitDosyasi=/veri/\xDEirket.txt\r\nGirisSTR=G\r\n");
}

struct IntegerCase {
    const char* name;
    const char* text;
    qint32 expected;
    friend void PrintTo(const IntegerCase& c, std::ostream* os) { *os << c.name; }
};

class IntegerReading : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerReading, ReadsDecimalAndHexOrGivesTheFallback)
{
    test::TempFolder folder;
    folder.write("a.ini", QByteArray("[S]\r\nK=") + GetParam().text + "\r\n");
    EXPECT_EQ(PrivateProfile(folder.file("a.ini")).readInteger("S", "K", 42), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerReading,
    testing::Values(IntegerCase{"Zero", "0", 0},
                    IntegerCase{"One", "1", 1},
                    IntegerCase{"Negative", "-12", -12},
                    IntegerCase{"HexLower", "0x1f", 31},
                    IntegerCase{"HexUpper", "0X1F", 31},
                    IntegerCase{"HexAllBits", "0xFFFFFFFF", -1},
                    IntegerCase{"Largest", "2147483647", 2147483647},
                    IntegerCase{"TooLarge", "2147483648", 42},
                    IntegerCase{"Text", "evet", 42},
                    IntegerCase{"TrailingText", "1a", 42},
                    IntegerCase{"Empty", "", 42},
                    IntegerCase{"HexWithoutDigits", "0x", 42}),
    tavlo::test::CaseName{});

TEST_F(PrivateProfileTest, BooleanIsAnyNumberButZero)
{
    folder.write("Ayarlar.ini", "[Ayarlar]\r\nA=0\r\nB=5\r\nC=hayir\r\n");
    EXPECT_FALSE(ini.readBool("Ayarlar", "A", true));
    EXPECT_TRUE(ini.readBool("Ayarlar", "B", false));
    EXPECT_TRUE(ini.readBool("Ayarlar", "C", true));
    EXPECT_FALSE(ini.readBool("Ayarlar", "C", false));
}

TEST_F(PrivateProfileTest, UnwritableFileRaisesUnableToWriteAndKeepsTheOldFile)
{
    folder.write("Ayarlar.ini", "[Ayarlar]\r\nGirisSTR=G\r\n");
    test::ReadOnlyFolder readOnly(folder.path());
    try {
        ini.writeString("Ayarlar", "GirisSTR", "X");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + folder.file("Ayarlar.ini"));
    }
    EXPECT_EQ(ini.readString("Ayarlar", "GirisSTR", ""), "G");
}

TEST_F(PrivateProfileTest, AWritableFileInAFolderThatRefusesNewFilesIsWrittenInPlace)
{
    folder.write("Ayarlar.ini", "[Ayarlar]\r\nGirisSTR=G\r\n");
    QFile::setPermissions(folder.file("Ayarlar.ini"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                              | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    {
        test::ReadOnlyFolder readOnly(folder.path());
        ini.writeString("Ayarlar", "GirisSTR", "X");
        ini.writeInteger("Ayarlar", "AktarimdanSonraSil", 1);
    }
    EXPECT_EQ(folder.read("Ayarlar.ini"), "[Ayarlar]\r\nGirisSTR=X\r\nAktarimdanSonraSil=1\r\n");
}

}  // namespace
}  // namespace tavlo
