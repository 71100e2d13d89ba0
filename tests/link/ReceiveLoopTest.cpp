// The receive loop over a pseudo-terminal: frames reach the receiver's thread
// whole and in order, a line that closes is reported once, and Stop returns.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QObject>
#include <QThread>
#include <QtTest/QTest>
#include <functional>

#include "e2e/PtyCounter.h"
#include "link/CounterFrames.h"
#include "link/ReceiveLoop.h"

namespace {

class ReceiveLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(counter.ok());
        fd =
            ::open(counter.ConsolePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios raw{};
        ::tcgetattr(fd, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(fd, TCSANOW, &raw);
        ReceiveLoop::Handlers h;
        h.frames = [this](const std::vector<QByteArray>& f) {
            onUiThread = onUiThread && QThread::currentThread() == receiver.thread();
            received.insert(received.end(), f.begin(), f.end());
            if (onFrames) {
                onFrames();
            }
        };
        h.lineLost = [this](const QString& reason) {
            ++lost;
            lostAfterFrames = received.size();
            lostReason = reason;
        };
        loop = std::make_unique<ReceiveLoop>(fd, &receiver, std::move(h));
        ASSERT_TRUE(loop->Start());
    }
    void TearDown() override {
        loop.reset();
        ::close(fd);
    }

    PtyCounter counter{7};
    QObject receiver;
    int fd = -1;
    std::unique_ptr<ReceiveLoop> loop;
    std::vector<QByteArray> received;
    std::function<void()> onFrames;
    bool onUiThread = true;
    int lost = 0;
    size_t lostAfterFrames = 0;
    QString lostReason;
};

TEST_F(ReceiveLoopTest, FramesSplitAnyHowArriveWholeInOrderOnTheReceiversThread) {
    const QByteArray start = frames::EventFrame("Start");
    const QByteArray count = frames::CountFrame("1234", "7");
    const QByteArray batch = frames::EventFrame("BatchF");
    // Noise before the first frame, a frame cut in three, two frames in one
    // write, and a frame whose ETX comes alone.
    counter.Send("xx" + start.left(2));
    counter.Send(start.mid(2, 3));
    counter.Send(start.mid(5) + count + batch.left(batch.size() - 1));
    counter.Send(batch.right(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 3; }, 3000));
    EXPECT_EQ(received, (std::vector<QByteArray>{start, count, batch}));
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(lost, 0);
}

TEST_F(ReceiveLoopTest, ALineThatClosesIsReportedOnceAfterTheFramesBeforeIt) {
    counter.Send(frames::EventFrame("Stop") + frames::CountFrame("5", "1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 3000));
    counter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lost > 0; }, 3000));
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(lostAfterFrames, 2u);
    EXPECT_FALSE(lostReason.isEmpty());
    loop->Stop();  // joins a loop that has already ended
    EXPECT_FALSE(loop->Running());
}

TEST_F(ReceiveLoopTest, StopWakesAnIdleLoopAndCanBeRepeated) {
    EXPECT_TRUE(loop->Running());
    loop->Stop();
    EXPECT_FALSE(loop->Running());
    loop->Stop();
    // Started again on the same line it carries on.
    ASSERT_TRUE(loop->Start());
    counter.Send(frames::EventFrame("Full"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; }, 3000));
    EXPECT_EQ(received[0], frames::EventFrame("Full"));
}

TEST_F(ReceiveLoopTest, AHandlerMayEndTheLoopAndNothingRunsAfterIt) {
    // As the console does when the counter says "Disconnect": the handler
    // destroys the loop while its calls are being run.
    onFrames = [this] { loop.reset(); };
    counter.Send(frames::EventFrame("Stop"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loop == nullptr; }, 3000));
    counter.Send(frames::EventFrame("Full"));
    QTest::qWait(100);
    EXPECT_EQ(received, std::vector<QByteArray>{frames::EventFrame("Stop")});
}

}  // namespace
