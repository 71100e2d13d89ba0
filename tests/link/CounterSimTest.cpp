#include <gtest/gtest.h>

#include <QFileInfo>

#include "link/CounterFrames.h"
#include "link/SimHarness.h"
#include "support/TestSupport.h"

using namespace frames;

namespace {

ProgramFrameArgs BatchOfTwoRows() {
    return {"Wheat", 2, {{"5", "2"}, {"3", "1"}}, "10", "8", "5", "120"};
}

ProgramFrameArgs TotalizeRow() {
    return {"Rice", 1, {{"1", "0"}}, "8", "9", "4", "100"};
}

}  // namespace

TEST(CounterSim, BatchProgramCountsEveryRowThenDumpsTheLeftOver) {
    SimLink link({"--fast", "--leftover", "42", "--ack-after", "3"});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    ASSERT_EQ(link.com.Write(Program(BatchOfTwoRows())), 1);
    EXPECT_EQ(reader.ReadUntil("Empty"),
              QStringList({"Start", "5/1", "5/2", "BatchF", "3/1", "BatchF", "Full", "Empty"}));
    ASSERT_EQ(link.com.Write(Command("Dump")), 1);
    EXPECT_EQ(reader.ReadUntil("Dump"), QStringList({"42/0", "Dump"}));
    EXPECT_TRUE(link.com.TakeErrors().empty());
}

TEST(CounterSim, PacedCountStopsResumesAndRepeats) {
    SimLink link({"--seeds-per-second", "400"});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write(Program({"Oat", 1, {{"20", "2"}}, "1", "1", "1", "100"}));
    QStringList got = reader.ReadUntil("Start");
    ASSERT_EQ(got.value(0), "Start");
    link.com.Write(Command("Stop"));
    got = reader.ReadUntil("Stop");
    ASSERT_TRUE(got.contains("Stop"));
    EXPECT_EQ(reader.ReadFor(150), QStringList());  // paused: nothing counted
    link.com.Write(Command("Start"));
    got = reader.ReadUntil("Full");
    ASSERT_EQ(got.value(0), "Start");
    EXPECT_TRUE(got.contains("20/1"));
    EXPECT_TRUE(got.contains("20/2"));
    EXPECT_EQ(got.count("BatchF"), 1);
    // Running counts climb within a packet and never pass its size.
    for (const QString& m : got) {
        if (m.contains('/')) {
            EXPECT_LE(m.section('/', 0, 0).toInt(), 20) << m.toStdString();
        }
    }
    reader.ReadUntil("Empty");
    link.com.Write(Command("Recycle"));
    got = reader.ReadUntil("Full");
    EXPECT_FALSE(got.contains("Repeat"));  // the console's own command: no answer
    EXPECT_TRUE(got.contains("20/2"));
    EXPECT_EQ(got.count("BatchF"), 1);
}

TEST(CounterSim, TotalizeCountsUntilTheConsoleDumps) {
    SimLink link({"--seeds-per-second", "1000"});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write(Program(TotalizeRow()));
    QStringList got = reader.ReadFor(300);
    ASSERT_EQ(got.value(0), "Start");
    ASSERT_GE(got.size(), 3);
    const int running = got.last().section('/', 0, 0).toInt();
    EXPECT_GT(running, got[1].section('/', 0, 0).toInt());
    EXPECT_FALSE(got.contains("Full"));
    link.com.Write(Command("Dump"));
    got = reader.ReadUntil("Dump");
    ASSERT_GE(got.size(), 2);
    EXPECT_EQ(got.last(), "Dump");
    EXPECT_GE(got[got.size() - 2].section('/', 0, 0).toInt(), running);
}

TEST(CounterSim, AnswersCommandsAndShrugsOffMalformedFrames) {
    SimLink link;
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write("\x02P\x1Fjunk\x03");
    link.com.Write(Command("Launch"));
    link.com.Write(FeedSpeed("80"));
    // "Reset" and "Recycle" are carried out without an answer: the counter
    // sends "Reset" and "Repeat" only when they start on its side.
    link.com.Write(Command("Reset"));
    link.com.Write(Command("Recycle"));
    EXPECT_EQ(reader.ReadFor(300), QStringList());
    EXPECT_EQ(link.sim.process().state(), QProcess::Running);
}

TEST(CounterSim, StopSignalSaysDisconnectAndRemovesTheLink) {
    SimLink link;
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write(Command("Zero"));  // the session is in use
    link.sim.process().terminate();
    EXPECT_EQ(reader.ReadUntil("Disconnect"), QStringList{"Disconnect"});
    ASSERT_TRUE(link.sim.process().waitForFinished(3000));
    EXPECT_EQ(link.sim.process().exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link.sim.Link()).isSymLink());
}

TEST(CounterSim, VanishingCounterHangsUpTheLine) {
    SimLink link({"--fast", "--vanish-after-frames", "2"});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write(Program(BatchOfTwoRows()));
    EXPECT_EQ(reader.ReadFor(1000), QStringList({"Start", "5/1"}));
    EXPECT_TRUE(reader.HungUp());
}

TEST(CounterSim, CounterSaysDisconnectOnItsOwn) {
    SimLink link({"--fast", "--disconnect-after-frames", "1"});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    link.com.Write(Program(BatchOfTwoRows()));
    EXPECT_EQ(reader.ReadFor(300), QStringList({"Start", "Disconnect"}));
    // The line stays served: the console connects again with a handshake.
    EXPECT_EQ(link.com.Handshake(), 1);
}

TEST(CounterSim, ScriptSendsAndExpects) {
    TempWorkDir dir;
    dir.Write("script.txt",
              "# a short session\nevent Start\ncount 12 3\nexpect command Stop\nevent Stop\n");
    SimLink link({"--script", dir.Path("script.txt")});
    ASSERT_TRUE(link.connected);
    FrameReader reader(link.com.fd());
    EXPECT_EQ(reader.ReadUntil("12/3"), QStringList({"Start", "12/3"}));
    link.com.Write(Command("Stop"));
    EXPECT_EQ(reader.ReadUntil("Stop"), QStringList{"Stop"});
    ASSERT_TRUE(link.sim.process().waitForFinished(3000));
    EXPECT_EQ(link.sim.process().exitCode(), 0);
}
