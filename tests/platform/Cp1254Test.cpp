#include "platform/Cp1254.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Cp1254, TurkishLettersUseTheirCodePageBytes)
{
    const QString text = QStringLiteral("ĞğİıŞşÇçÖöÜü");
    const QByteArray bytes = cp1254::encode(text);
    EXPECT_EQ(bytes, QByteArray("\xD0\xF0\xDD\xFD\xDE\xFE\xC7\xE7\xD6\xF6\xDC\xFC"));
    EXPECT_EQ(cp1254::decode(bytes), text);
}

TEST(Cp1254, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(cp1254::encode(cp1254::decode(all)), all);
}

TEST(Cp1254, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // Cyrillic, a CJK ideograph and an emoji (a surrogate pair) cannot be held.
    EXPECT_EQ(cp1254::encode(QStringLiteral("aЖ漢😀€b")), QByteArray("a???\x80" "b"));
    EXPECT_EQ(cp1254::representable(QStringLiteral("Ж")), QStringLiteral("?"));
}

}  // namespace
}  // namespace tavlo
