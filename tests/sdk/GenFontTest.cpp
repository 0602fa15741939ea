#include "sdk/include/sbxpc/GenFont.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string toWire(const std::u16string& text)
{
    const auto* units = reinterpret_cast<const uint16_t*>(text.data());
    std::string out(gf_wide_to_wire(units, text.size(), nullptr, 0) + 1, '\0');
    gf_wide_to_wire(units, text.size(), out.data(), out.size());
    out.pop_back();
    return out;
}

std::u16string toWide(const std::string& text)
{
    std::u16string out(gf_wire_to_wide(text.data(), text.size(), nullptr, 0) + 1, u'\0');
    gf_wire_to_wide(text.data(), text.size(), reinterpret_cast<uint16_t*>(out.data()), out.size());
    out.pop_back();
    return out;
}

struct TextCase {
    const char* name;
    std::u16string wide;
    std::string wire;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class GenFontRoundTrip : public testing::TestWithParam<TextCase> {};

TEST_P(GenFontRoundTrip, ConvertsBothWays)
{
    EXPECT_EQ(toWire(GetParam().wide), GetParam().wire);
    EXPECT_EQ(toWide(GetParam().wire), GetParam().wide);
    EXPECT_EQ(gf_wire_is_valid(GetParam().wire.data(), GetParam().wire.size()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GenFontRoundTrip,
    testing::Values(TextCase{"Empty", u"", ""},
                    TextCase{"Address", u"127.0.0.1", "127.0.0.1"},
                    TextCase{"Turkish", u"Bağlantı Kuruldu ŞİÖÇÜ", "Ba\xC4\x9Flant\xC4\xB1 Kuruldu \xC5\x9E\xC4\xB0\xC3\x96\xC3\x87\xC3\x9C"},
                    TextCase{"OutsideTheBasicPlane", u"\U0001F600", "\xF0\x9F\x98\x80"}),
    tavlo::test::CaseName{});

struct BadCase {
    const char* name;
    std::string wire;
    std::u16string wide;
    friend void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }
};

class GenFontBadWire : public testing::TestWithParam<BadCase> {};

TEST_P(GenFontBadWire, BecomesReplacementCharacters)
{
    EXPECT_EQ(gf_wire_is_valid(GetParam().wire.data(), GetParam().wire.size()), 0);
    EXPECT_EQ(toWide(GetParam().wire), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GenFontBadWire,
    testing::Values(BadCase{"LoneContinuation", "a\x80" "b", u"a\uFFFDb"},
                    BadCase{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                    BadCase{"Surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                    BadCase{"Truncated", "x\xE2\x82", u"x\uFFFD\uFFFD"},
                    BadCase{"AboveUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                    BadCase{"ZeroByte", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    tavlo::test::CaseName{});

TEST(GenFont, AnUnpairedSurrogateBecomesAQuestionMark)
{
    EXPECT_EQ(toWire(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}), "a?b?");
}

TEST(GenFont, CutsToTheCapacityAndTellsTheWholeLength)
{
    const std::u16string text = u"192.168.100.200";
    char out[8];
    EXPECT_EQ(gf_wide_to_wire(reinterpret_cast<const uint16_t*>(text.data()), text.size(), out, sizeof out),
              text.size());
    EXPECT_STREQ(out, "192.168");
    EXPECT_EQ(gf_wide_to_wire(reinterpret_cast<const uint16_t*>(text.data()), text.size(), out, 0), text.size());
}

}  // namespace
