#include <gtest/gtest.h>

#include "link/CounterFrames.h"
#include "link/PtyCounter.h"
#include "link/SendFrame.h"
#include "support/TestSupport.h"

TEST(SendFrame, SentSkippedAndFailed) {
    RecordingPrompter prompter;
    PtyPair pty;
    PortEnv env(pty.slavePath());
    auto counter = std::make_unique<ScriptedCounter>(pty.master(), 1);
    cSerialCom com;
    ASSERT_EQ(com.Open("COM1", "9600"), 1);
    counter->WaitBytes(2);

    EXPECT_EQ(SendFrame(&com, frames::Command("Reset"), FrameSender::Reset), SendResult::Sent);
    EXPECT_EQ(counter->WaitBytes(11).mid(2), frames::Command("Reset"));

    ScriptedLineStatus status;
    com.SetLineStatus(&status);
    status.busyQueries = 1;
    EXPECT_EQ(SendFrame(&com, frames::Command("Stop"), FrameSender::Stop), SendResult::Skipped);
    EXPECT_TRUE(prompter.shown.empty());

    // The counter goes away: the write fails and the sender's message shows.
    counter.reset();
    pty.CloseMaster();
    com.SetLineStatus(nullptr);
    EXPECT_EQ(SendFrame(&com, frames::Command("Dump"), FrameSender::Dump), SendResult::Failed);
    ASSERT_EQ(prompter.Texts(), QStringList{" Pause Error"});
    EXPECT_EQ(prompter.shown[0].caption, "Error");
}

TEST(SendFrame, NoChannelIsAFailedSendWithItsMessage) {
    RecordingPrompter prompter;
    EXPECT_EQ(SendFrame(nullptr, frames::Command("Zero"), FrameSender::Zero), SendResult::Failed);
    EXPECT_EQ(prompter.Texts(), QStringList{"Clear Counter Error"});
}
