// A write returns once its bytes have left the port, so a frame sent right
// after another goes out; a queue that does not drain still skips it.

#include "console/RunFixture.h"
#include "link/PortLineStatus.h"
#include "link/cSerialCom.h"

namespace {

// The port's output queue is what the counter has not taken off the line yet.
class CounterQueue : public ILineStatus {
public:
    explicit CounterQueue(PtyCounter& counter) : m_counter(counter) {}
    bool Query(int fd, uint32_t* errorMask, COMSTAT* stat) override {
        if (!m_real.Query(fd, errorMask, stat)) {
            return false;
        }
        // A byte just written may still be on its way to the counter's end.
        stat->cbOutQue = static_cast<uint32_t>(m_counter.Pending(20));
        return true;
    }

private:
    PtyCounter& m_counter;
    PortLineStatus m_real;
};

struct LineCase {
    const char* name;
    int bytesPerMs;
    bool speedSent;
};

class SlowLine : public RunFixture, public ::testing::WithParamInterface<LineCase> {
protected:
    void TearDown() override {
        if (view && view->Channel()) {
            view->Channel()->SetLineStatus(nullptr);
        }
        RunFixture::TearDown();
    }
    CounterQueue queue{counter};
};

TEST_P(SlowLine, TheFirstRowsFeedSpeedFollowsTheProgramFrame) {
    const LineCase& c = GetParam();
    Connect();
    EnterSeries("B-1", {{"2", "10"}, {"1", "5"}});
    view->session().Rows().SetCell(0, SampleListModel::Comment, "80");  // row 1's own speed
    // The handshake's bytes are off the line before the queue is judged.
    ASSERT_TRUE(WaitUntil([&] { return counter.Pending() == 0; }));
    view->Channel()->SetLineStatus(&queue);
    counter.SetBytesPerMs(c.bytesPerMs);  // about 9600 baud, or stuck
    ClickControl(view.get(), IDC_START);
    counter.SetBytesPerMs(-1);
    ASSERT_TRUE(WaitUntil([&] { return counter.Pending() == 0; }));

    const QByteArray sent = SentBeforeDisconnect();
    EXPECT_TRUE(sent.startsWith("\x02P\x1fWheat")) << sent.toStdString();
    EXPECT_EQ(sent.endsWith(frames::FeedSpeed("80")), c.speedSent) << sent.toStdString();
    EXPECT_EQ(sent.count('\x02'), c.speedSent ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Each, SlowLine,
                         ::testing::Values(LineCase{"Draining", 1, true},
                                           LineCase{"Stuck", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
