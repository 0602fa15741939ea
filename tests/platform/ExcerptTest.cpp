#include "platform/Excerpt.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct ExcerptCase {
    const char* name;
    QString text;
    QString quoted;
    friend void PrintTo(const ExcerptCase& c, std::ostream* os) { *os << c.name; }
};

class Excerpt : public testing::TestWithParam<ExcerptCase> {};

TEST_P(Excerpt, QuotesAShortTextWholeAndTheBeginningOfALongOne)
{
    EXPECT_EQ(excerpt(GetParam().text), GetParam().quoted);
}

const QString kEllipsis = QStringLiteral("…");
const QString kPair = QStringLiteral("\U0001F600");  // one character, two UTF-16 units

INSTANTIATE_TEST_SUITE_P(
    Cases, Excerpt,
    testing::Values(ExcerptCase{"Empty", "", ""},
                    ExcerptCase{"Short", "abc", "abc"},
                    ExcerptCase{"ExactlyTheLength", QString(80, 'a'), QString(80, 'a')},
                    ExcerptCase{"OneMore", QString(81, 'a'), QString(80, 'a') + kEllipsis},
                    ExcerptCase{"MillionsOfCharacters", QString(3000000, 'x'), QString(80, 'x') + kEllipsis},
                    ExcerptCase{"PairAcrossTheCut", QString(79, 'a') + kPair + "b",
                                QString(79, 'a') + kEllipsis},
                    ExcerptCase{"PairBeforeTheCut", QString(78, 'a') + kPair + "bc",
                                QString(78, 'a') + kPair + kEllipsis}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo
