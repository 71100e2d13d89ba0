#include <gtest/gtest.h>

#include "link/CounterFrames.h"
#include "link/FrameAssembler.h"

using namespace frames;

namespace {

std::vector<QByteArray> FeedAll(FrameAssembler& a, const std::vector<QByteArray>& reads) {
    std::vector<QByteArray> out;
    for (const QByteArray& r : reads) {
        for (QByteArray f : a.Feed(r.constData(), r.size())) {
            out.push_back(f);
        }
    }
    return out;
}

}  // namespace

TEST(FrameAssembler, FrameSplitOverThreeReadsCompletesOnTheThird) {
    FrameAssembler a;
    EXPECT_TRUE(a.Feed("\x02"
                       "c",
                       2)
                    .empty());
    EXPECT_TRUE(a.Pending());
    EXPECT_TRUE(a.Feed("\x1FSta", 4).empty());
    const auto done = a.Feed("rt\x1F\x03", 4);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], EventFrame("Start"));
    EXPECT_FALSE(a.Pending());
}

TEST(FrameAssembler, BytesOutsideFramesAreDropped) {
    FrameAssembler a;
    const auto done = FeedAll(a, {"noise\x03" + EventFrame("Full") + "tail", "\x03more"});
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], EventFrame("Full"));
}

TEST(FrameAssembler, EveryFrameOfOneReadInOrder) {
    FrameAssembler a;
    const QByteArray read = EventFrame("BatchF") + CountFrame("20", "2") + EventFrame("Full");
    const auto done = FeedAll(a, {read});
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(Decode(done[0]).event, "BatchF");
    EXPECT_EQ(Decode(done[1]).count, "20");
    EXPECT_EQ(Decode(done[2]).event, "Full");
}

TEST(FrameAssembler, NewStxAbandonsAnUnfinishedFrame) {
    FrameAssembler a;
    // A pending frame, then a read that starts a new one without ending it.
    const auto done = FeedAll(a, {"\x02"
                                  "c\x1FSto",
                                  "\x02"
                                  "c\x1F"
                                  "Emp",
                                  "ty\x1F\x03"});
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], EventFrame("Empty"));
}

TEST(FrameAssembler, SameBytesSameFramesHoweverSplit) {
    const QByteArray line = "xx" + EventFrame("Start") + CountFrame("1234", "7") +
                            "\x02"
                            "c\x1F" +
                            EventFrame("Dump") + "zz" + CountFrame("5", "1");
    FrameAssembler whole;
    const auto expected = FeedAll(whole, {line});
    ASSERT_EQ(expected.size(), 4u);
    for (qsizetype cut1 = 0; cut1 <= line.size(); ++cut1) {
        for (qsizetype cut2 = cut1; cut2 <= line.size(); cut2 += 3) {
            FrameAssembler a;
            const auto got =
                FeedAll(a, {line.left(cut1), line.mid(cut1, cut2 - cut1), line.mid(cut2)});
            ASSERT_EQ(got, expected) << "cuts at " << cut1 << " and " << cut2;
        }
    }
}

TEST(FrameAssembler, RunawayFrameIsDroppedAndTheLineRecovers) {
    FrameAssembler a;
    const QByteArray junk(FrameAssembler::kMaxFrameBytes + 10, 'x');
    EXPECT_TRUE(FeedAll(a, {"\x02", junk}).empty());
    EXPECT_FALSE(a.Pending());
    // The runaway frame's late ETX is dropped; the next frame comes through.
    const auto done = FeedAll(a, {"\x03" + EventFrame("Stop")});
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], EventFrame("Stop"));
}
