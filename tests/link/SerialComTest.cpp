#include <gtest/gtest.h>

#include <algorithm>

#include "link/CounterFrames.h"
#include "link/ErrorTexts.h"
#include "link/LineSettings.h"
#include "link/PtyCounter.h"
#include "link/cSerialCom.h"
#include "support/TestSupport.h"

using namespace std::chrono;

namespace {

// A channel connected over a fresh pty to a counter that answers the first ENQ.
struct Connected {
    PtyPair pty;
    PortEnv env{pty.slavePath()};
    ScriptedCounter counter{pty.master(), 1};
    cSerialCom com;
    int opened = 0;
    explicit Connected(const QString& baud = "9600") {
        opened = com.Open("COM1", baud) && com.SetTimeouts();
        counter.WaitBytes(2);
    }
};

}  // namespace

TEST(SerialCom, SilentCounterGetsFiftyEnqThenThePortIsClosed) {
    RecordingPrompter prompter;
    PtyPair pty;
    PortEnv env(pty.slavePath());
    ScriptedCounter counter(pty.master(), 0);
    cSerialCom com;
    const auto begin = steady_clock::now();
    EXPECT_EQ(com.Open("COM1", "9600"), 0);
    const double openMs = duration<double, std::milli>(steady_clock::now() - begin).count();
    EXPECT_FALSE(com.IsOpen());
    EXPECT_TRUE(pty.SlaveClosed());
    const QByteArray got = counter.WaitBytes(50, 200);
    EXPECT_EQ(got, QByteArray(50, frames::ENQ));
    // Each ENQ is followed by a 50 ms pause, which a busy machine can only
    // lengthen: the fifty attempts take 2.5 s at least.
    EXPECT_GE(openMs, 50 * 50.0);
    // The counter's read times lag when the machine is busy, so a single gap
    // may come out short and the next one long; their median keeps the pace.
    const auto t = counter.Times();
    ASSERT_EQ(t.size(), 50u);
    std::vector<double> gaps;
    for (size_t i = 1; i < t.size(); ++i) {
        gaps.push_back(duration<double, std::milli>(t[i] - t[i - 1]).count());
    }
    std::sort(gaps.begin(), gaps.end());
    EXPECT_GT(gaps[gaps.size() / 2], 45.0);
    EXPECT_LT(gaps[gaps.size() / 2], 80.0);
    EXPECT_TRUE(com.TakeErrors().empty());
}

TEST(SerialCom, CounterAnsweringTheThirdEnqSeesThreeEnqAndOneAck) {
    RecordingPrompter prompter;
    PtyPair pty;
    PortEnv env(pty.slavePath());
    ScriptedCounter counter(pty.master(), 3);
    cSerialCom com;
    EXPECT_EQ(com.Open("COM1", "9600"), 1);
    EXPECT_EQ(com.SetTimeouts(), 1);
    EXPECT_EQ(counter.WaitBytes(4), QByteArray("\x05\x05\x05\x06"));
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_EQ(counter.WaitBytes(5, 0).size(), 4);
    // A pseudo-terminal keeps 8 bits without parity; the rest sticks.
    line::Settings s;
    ASSERT_TRUE(line::ReadSettings(com.fd(), &s));
    EXPECT_FALSE(s.twoStopBits);
    EXPECT_FALSE(s.flowControl);
    EXPECT_TRUE(s.raw);
    EXPECT_EQ(line::OutputBaud(com.fd()), 9600);
    EXPECT_TRUE(com.TakeErrors().empty());
}

TEST(SerialCom, BaudIsTakenFromTheTextAsTyped) {
    RecordingPrompter prompter;
    for (const char* baud : {"19200", "110", "12345"}) {
        Connected link(baud);
        ASSERT_EQ(link.opened, 1) << baud;
        EXPECT_EQ(link.com.m_nBaudRate, atoi(baud));
        EXPECT_EQ(line::OutputBaud(link.com.fd()), atoi(baud));
        EXPECT_TRUE(link.com.TakeErrors().empty());
    }
}

TEST(SerialCom, PortsThatCannotBeUsedGiveOneMessage) {
    RecordingPrompter prompter;
    cSerialCom com;
    {
        PortEnv env("/nonexistent/ttyVYN8");
        EXPECT_EQ(com.Open("COM1", "9600"), 0);
    }
    const LinkErrors busy = com.TakeErrors();
    ASSERT_EQ(Texts(busy), QStringList{"Set Com Port Error"});
    EXPECT_EQ(busy[0].caption, "Error");

    {
        PortEnv env("/dev/null");  // opens, but is no serial line
        EXPECT_EQ(com.Open("COM1", "9600"), 0);
    }
    EXPECT_EQ(Texts(com.TakeErrors()), QStringList{"GetCommState Error"});
    EXPECT_FALSE(com.IsOpen());

    PtyPair pty;
    PortEnv env(pty.slavePath());
    EXPECT_EQ(com.Open("COM1", "fast"), 0);  // reads as 0 bits per second
    EXPECT_EQ(Texts(com.TakeErrors()), QStringList{"SetCommState Error"});
    EXPECT_FALSE(com.IsOpen());
    EXPECT_TRUE(pty.SlaveClosed());
    EXPECT_TRUE(prompter.shown.empty());  // the console words them, not the link
}

TEST(SerialCom, PortInUseIsRefused) {
    RecordingPrompter prompter;
    Connected first;
    ASSERT_EQ(first.opened, 1);
    cSerialCom second;
    EXPECT_EQ(second.Open("COM1", "9600"), 0);
    EXPECT_EQ(Texts(second.TakeErrors()), QStringList{"Set Com Port Error"});
    // Released by the first, the port opens again.
    first.com.Close();
    ScriptedCounter again(first.pty.master(), 1);
    EXPECT_EQ(second.Open("COM1", "9600"), 1);
}

TEST(SerialCom, BusyOutputQueueWritesNothing) {
    RecordingPrompter prompter;
    Connected link;
    ASSERT_EQ(link.opened, 1);
    ScriptedLineStatus status;
    link.com.SetLineStatus(&status);
    status.busyQueries = 1;
    EXPECT_EQ(link.com.Write(frames::Command("Stop")), 200);
    EXPECT_NE(link.com.Write(frames::Command("Zero")), 200);
    EXPECT_EQ(link.counter.WaitBytes(10).mid(2), frames::Command("Zero"));
    EXPECT_EQ(link.com.m_nBytesWritten, 8u);
}

TEST(SerialCom, HandshakeSkipsItsEnqWhileTheOutputQueueIsBusy) {
    RecordingPrompter prompter;
    PtyPair pty;
    PortEnv env(pty.slavePath());
    ScriptedCounter counter(pty.master(), 1);
    ScriptedLineStatus status;
    cSerialCom com;
    com.SetLineStatus(&status);
    status.busyQueries = 1;  // the first attempt finds the queue busy
    EXPECT_EQ(com.Open("COM1", "9600"), 1);
    EXPECT_EQ(counter.WaitBytes(2), QByteArray("\x05\x06"));
    // busy check, empty read; then ENQ check, read of the ACK, ACK check
    EXPECT_EQ(status.queries, 5);
}

TEST(SerialCom, OnlySingleLineErrorsAreReported) {
    RecordingPrompter prompter;
    Connected link;
    ASSERT_EQ(link.opened, 1);
    ScriptedLineStatus status;
    link.com.SetLineStatus(&status);
    const std::pair<uint32_t, const char*> reported[] = {
        {1, "An input buffer overflow has occurred.."},
        {2, "A character-buffer overrun has occurred."},
        {4, "The hardware detected a parity error"},
        {8, "The hardware detected a framing error"},
        {16, "The hardware detected a break condition"},
        {1024, "An I/O error occurred during communications with the device"},
    };
    for (const auto& [mask, text] : reported) {
        status.nextMask = mask;
        EXPECT_EQ(link.com.CheckLine(), 0) << mask;
        const LinkErrors errors = link.com.TakeErrors();
        ASSERT_EQ(Texts(errors), QStringList{text});
        EXPECT_EQ(errors[0].caption, "Error");
    }
    for (uint32_t mask : {0u, 12u, 3u, 32u, 1025u}) {
        status.nextMask = mask;
        EXPECT_EQ(link.com.CheckLine(), 1) << mask;
    }
    status.failQuery = true;
    EXPECT_EQ(link.com.CheckLine(), 0);
    EXPECT_TRUE(link.com.TakeErrors().empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(SerialCom, WriteGoesOnAfterALineErrorMessage) {
    RecordingPrompter prompter;
    Connected link;
    ScriptedLineStatus status;
    link.com.SetLineStatus(&status);
    status.nextMask = CE_RXPARITY;
    EXPECT_EQ(link.com.Write(frames::Command("Dump")), 1);
    EXPECT_EQ(Texts(link.com.TakeErrors()), QStringList{"The hardware detected a parity error"});
    EXPECT_EQ(link.counter.WaitBytes(10).mid(2), frames::Command("Dump"));
}

TEST(SerialCom, ClosedChannelFailsItsTimeoutsAndWrites) {
    RecordingPrompter prompter;
    cSerialCom com;
    EXPECT_EQ(com.SetTimeouts(), 0);
    const LinkErrors errors = com.TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, "Get Communication timeout Error");
    EXPECT_EQ(errors[0].caption, "Com Port Read Error");
    EXPECT_EQ(com.Write("x"), 0);
    EXPECT_EQ(com.Handshake(), 0);
    EXPECT_EQ(com.CheckLine(), 0);
    EXPECT_TRUE(com.TakeErrors().empty());
}
