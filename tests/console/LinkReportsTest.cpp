#include <gtest/gtest.h>

#include "console/LinkReports.h"
#include "link/CounterFrames.h"
#include "link/PtyCounter.h"
#include "link/cSerialCom.h"
#include "support/TestSupport.h"

TEST(SendAndReport, SentSkippedAndFailed) {
    RecordingPrompter prompter;
    PtyPair pty;
    PortEnv env(pty.slavePath());
    auto counter = std::make_unique<ScriptedCounter>(pty.master(), 1);
    cSerialCom com;
    ASSERT_EQ(com.Open("COM1", "9600"), 1);
    counter->WaitBytes(2);

    EXPECT_EQ(SendAndReport(&com, frames::Command("Reset"), FrameSender::Reset), SendResult::Sent);
    EXPECT_EQ(counter->WaitBytes(11).mid(2), frames::Command("Reset"));

    ScriptedLineStatus status;
    com.SetLineStatus(&status);
    status.busyQueries = 1;
    EXPECT_EQ(SendAndReport(&com, frames::Command("Stop"), FrameSender::Stop), SendResult::Skipped);
    EXPECT_TRUE(prompter.shown.empty());

    // A line error met on the way is shown, in the link's words, and the
    // frame still goes out.
    status.nextMask = CE_RXPARITY;
    EXPECT_EQ(SendAndReport(&com, frames::Command("Zero"), FrameSender::Zero), SendResult::Sent);
    ASSERT_EQ(prompter.Texts(), QStringList{"The hardware detected a parity error"});
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(counter->WaitBytes(19).mid(11), frames::Command("Zero"));
    prompter.Clear();

    // The counter goes away: the write fails and the sender's message shows;
    // the link itself keeps nothing more to tell.
    counter.reset();
    pty.CloseMaster();
    com.SetLineStatus(nullptr);
    EXPECT_EQ(SendAndReport(&com, frames::Command("Dump"), FrameSender::Dump), SendResult::Failed);
    ASSERT_EQ(prompter.Texts(), QStringList{" Pause Error"});
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_TRUE(com.TakeErrors().empty());
}

TEST(SendAndReport, NoChannelIsAFailedSendWithItsMessage) {
    RecordingPrompter prompter;
    EXPECT_EQ(SendAndReport(nullptr, frames::Command("Zero"), FrameSender::Zero),
              SendResult::Failed);
    EXPECT_EQ(prompter.Texts(), QStringList{"Clear Counter Error"});
}
