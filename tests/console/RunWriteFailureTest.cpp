// Each run button when its write fails (the counter's end of the line has
// gone): the sender's message, the state left, and no later writes until a
// new Connect.

#include "console/RunFixture.h"

namespace {

struct FailureCase {
    const char* name;
    void (*reach)(Cvyn8_rk47View&);  // from a running Totalize Count sample
    void (*press)(Cvyn8_rk47View&);
    const char* message;
    int runState;
    bool released;
};

// Test listings and failures show the case by its name.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

void Nothing(Cvyn8_rk47View&) {}
void Stopped(Cvyn8_rk47View& v) {
    v.OnStop();
}

const FailureCase kCases[] = {
    {"Start", Stopped, [](Cvyn8_rk47View& v) { v.OnStart(); }, "Start Error", RUN_STOPPED, true},
    {"Stop", Nothing, [](Cvyn8_rk47View& v) { v.OnStop(); }, "STOP Error", RUN_COUNTING, true},
    {"Zero", Nothing, [](Cvyn8_rk47View& v) { v.OnZero(); }, "Clear Counter Error", RUN_ZEROED,
     true},
    {"Done", Nothing, [](Cvyn8_rk47View& v) { v.OnDone(); }, "Done Error", RUN_COUNTING, true},
    {"Reset", Nothing, [](Cvyn8_rk47View& v) { v.OnReset(); }, "Reset Error", RUN_COUNTING, true},
    {"Repeat", Nothing, [](Cvyn8_rk47View& v) { v.OnRepeat(); }, "Recycle Error", RUN_COUNTING,
     true},
    {"Dump", Nothing, [](Cvyn8_rk47View& v) { v.OnDump(); }, " Pause Error", RUN_STOPPED, false},
    {"Spin", Nothing, [](Cvyn8_rk47View& v) { v.OnDeltaposFeedSpeed(80, 1); }, "Send Message Error",
     RUN_COUNTING, true},
};

class RunWriteFailure : public RunFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunWriteFailure, ShowsTheSendersMessageAndWritesNoMore) {
    const FailureCase& c = GetParam();
    Connect();
    Scan("T-1");
    c.reach(*view);
    counter.Vanish();
    prompter.Clear();
    c.press(*view);
    ASSERT_GE(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, c.message);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(view->m_nRunState, c.runState);
    EXPECT_EQ(view->m_pSerial == nullptr, c.released);
    if (c.released) {
        EXPECT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(ctl(IDC_CONNECT)->isEnabled());
        // Later buttons go on without a channel: nothing is written, no message.
        view->OnZero();
        EXPECT_EQ(prompter.shown.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(EachSender, RunWriteFailure, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

using RunProgramFailure = RunFixture;

TEST_F(RunProgramFailure, AFailedProgramFrameReleasesTheChannelBeforeTheCountStarts) {
    Connect();
    counter.Vanish();
    Scan("T-1");
    ASSERT_GE(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Send Message Error");
    EXPECT_EQ(view->m_pSerial, nullptr);
    EXPECT_NE(view->m_nRunState, RUN_COUNTING);
}

}  // namespace
