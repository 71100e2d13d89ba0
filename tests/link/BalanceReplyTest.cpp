#include <gtest/gtest.h>

#include <cstring>

#include "link/BalanceReply.h"
#include "support/CaseName.h"

using balance::Reply;

namespace {

struct ReplyCase {
    const char* name;
    const char* line;
    Reply::Kind kind;
    double grams;
    const char* text;  // nullptr: not checked
};

class BalanceReplies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(BalanceReplies, ParseIntoKindGramsAndText) {
    const ReplyCase& c = GetParam();
    const Reply r = balance::ParseReply(c.line);
    EXPECT_EQ(r.kind, c.kind) << c.line;
    EXPECT_DOUBLE_EQ(r.grams, c.grams) << c.line;
    if (c.text) {
        EXPECT_EQ(r.text, QString(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Balance, BalanceReplies,
    ::testing::Values(
        ReplyCase{"StableGrams", "S S     12.3456 g", Reply::Stable, 12.3456, nullptr},
        ReplyCase{"SplitOnAnyWhiteSpace", "S\tS 4.5  g ", Reply::Stable, 4.5, nullptr},
        ReplyCase{"Milligrams", "S S 1234.5 mg", Reply::Stable, 1.2345, nullptr},
        ReplyCase{"Kilograms", "S S 0.0125 kg", Reply::Stable, 12.5, nullptr},
        ReplyCase{"ImmediateNotStable", "S D 3.21 g", Reply::Dynamic, 3.21, nullptr},
        ReplyCase{"ImmediateStable", "SI S 3.21 g", Reply::Stable, 3.21, nullptr},
        ReplyCase{"CannotNow", "S I", Reply::Busy, 0, nullptr},
        ReplyCase{"Overload", "S +", Reply::Overload, 0, nullptr},
        ReplyCase{"Underload", "S -", Reply::Underload, 0, nullptr},
        ReplyCase{"Zeroed", "Z A", Reply::Zeroed, 0, nullptr},
        ReplyCase{"ZeroCannotNow", "Z I", Reply::Busy, 0, nullptr},
        ReplyCase{"Tared", "T S 1.5000 g", Reply::Tared, 1.5, nullptr},
        ReplyCase{"Serial", "I4 A \"B021587463\"", Reply::Serial, 0, "B021587463"},
        ReplyCase{"SyntaxError", "ES", Reply::SyntaxError, 0, nullptr},
        ReplyCase{"TransmissionError", "ET", Reply::TransmissionError, 0, nullptr},
        ReplyCase{"LogicError", "EL", Reply::LogicError, 0, nullptr},
        ReplyCase{"PoundsRefused", "S S 0.0275 lb", Reply::WrongUnit, 0, "lb"},
        ReplyCase{"CaratsRefused", "S S 60.0 ct", Reply::WrongUnit, 0, "ct"},
        ReplyCase{"ValueNotANumber", "S S 12,5 g", Reply::Malformed, 0, nullptr},
        ReplyCase{"NoUnit", "S S 12.5", Reply::Malformed, 0, nullptr},
        ReplyCase{"Unknown", "X Y", Reply::Malformed, 0, nullptr}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

std::vector<QByteArray> Feed(balance::LineAssembler& a, const char* text) {
    return a.Feed(text, strlen(text));
}

}  // namespace

TEST(BalanceLines, JoinedAcrossReadsAndCutAtLineEnds) {
    balance::LineAssembler a;
    EXPECT_TRUE(Feed(a, "S S ").empty());
    EXPECT_TRUE(Feed(a, "  1.5 g\r").empty());
    const auto lines = Feed(a, "\nS I\r\n\r\nZ A\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "S S   1.5 g");
    EXPECT_EQ(lines[1], "S I");
    EXPECT_EQ(lines[2], "Z A");
    EXPECT_FALSE(a.Pending());
}

TEST(BalanceLines, OverlongLineIsDroppedWholeAndTheNextOneKept) {
    balance::LineAssembler a;
    const QByteArray junk(500, 'x');
    EXPECT_TRUE(a.Feed(junk.constData(), junk.size()).empty());
    const auto lines = Feed(a, "\r\nS +\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "S +");
}
