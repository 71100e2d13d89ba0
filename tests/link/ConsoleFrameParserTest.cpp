#include <gtest/gtest.h>

#include "link/ConsoleFrameParser.h"

using namespace frames;

TEST(ConsoleFrameParser, ReadsBackWhatTheConsoleBuilds) {
    ProgramFrameArgs a{"Rice", 2, {{"1", "0"}, {"20", "3"}, {"15", "4"}}, "8", "9", "4", "75"};
    const ConsoleFrame p = ParseConsoleFrame(Program(a));
    ASSERT_EQ(p.kind, ConsoleFrame::Program) << p.problem.toStdString();
    EXPECT_EQ(p.program.seedName, "Rice");
    EXPECT_EQ(p.program.rowsToCount, 2);
    ASSERT_EQ(p.program.rows.size(), 3u);
    EXPECT_EQ(p.program.rows[2].seedsPerPacket, "15");
    EXPECT_EQ(p.program.rows[2].packets, "4");
    EXPECT_EQ(p.program.gateHor, "8");
    EXPECT_EQ(p.program.gateVer, "9");
    EXPECT_EQ(p.program.sensitivity, "4");
    EXPECT_EQ(p.program.feedSpeed, "75");

    const ConsoleFrame c = ParseConsoleFrame(Command("Recycle"));
    EXPECT_EQ(c.kind, ConsoleFrame::Command);
    EXPECT_EQ(c.text, "Recycle");

    const ConsoleFrame s = ParseConsoleFrame(FeedSpeed("140"));
    EXPECT_EQ(s.kind, ConsoleFrame::FeedSpeed);
    EXPECT_EQ(s.text, "140");
}

TEST(ConsoleFrameParser, RejectsMalformedFrames) {
    const QByteArray bad[] = {
        Command("Launch"),  // unknown command
        Command("start"),   // commands are case-sensitive
        "\x02P\x1FWheat\x1F"
        "1\x1F"
        "20\x1F"
        "10\x1F"
        "8\x1F"
        "5\x1F"
        "120\x1FStart\x03",
        "\x02P\x1FWheat\x1F"
        "2\x1F"
        "20\x1F"
        "5\x1F"
        "10\x1F"
        "8\x1F"
        "5\x1F"
        "120\x1FStart\x03",
        "\x02P\x1FWheat\x1Fx\x1F"
        "20\x1F"
        "5\x1F"
        "10\x1F"
        "8\x1F"
        "5\x1F"
        "120\x1FStart\x03",
        "\x02P\x1FWheat\x1F"
        "1\x1F"
        "20\x1F"
        "5\x1F"
        "10\x1F"
        "8\x1F"
        "5\x1F"
        "120\x1FStop\x03",
        "\x02X\x1FStart\x03",
        "\x02"
        "C\x1FStart",  // no ETX
        "\x02\x03",
    };
    for (const QByteArray& f : bad) {
        const ConsoleFrame p = ParseConsoleFrame(f);
        EXPECT_EQ(p.kind, ConsoleFrame::Malformed) << Readable(f).toStdString();
        EXPECT_FALSE(p.problem.isEmpty());
    }
}
