// Each run button when its write fails (the counter's end of the line has
// gone): the sender's message, then the console treats the line as lost.

#include "console/RunFixture.h"
#include "data/Cvyn8_rk47Doc.h"

namespace {

struct FailureCase {
    const char* name;
    void (*reach)(Cvyn8_rk47View&);  // from a running Totalize Count sample
    void (*press)(Cvyn8_rk47View&);
    const char* message;
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
    {"Start", Stopped, [](Cvyn8_rk47View& v) { v.OnStart(); }, "Start Error"},
    {"Stop", Nothing, [](Cvyn8_rk47View& v) { v.OnStop(); }, "STOP Error"},
    {"Zero", Nothing, [](Cvyn8_rk47View& v) { v.OnZero(); }, "Clear Counter Error"},
    {"Done", Nothing, [](Cvyn8_rk47View& v) { v.OnDone(); }, "Done Error"},
    {"Reset", Nothing, [](Cvyn8_rk47View& v) { v.OnReset(); }, "Reset Error"},
    {"Repeat", Nothing, [](Cvyn8_rk47View& v) { v.OnRepeat(); }, "Recycle Error"},
    {"Dump", Nothing, [](Cvyn8_rk47View& v) { v.OnDump(); }, " Pause Error"},
    {"Spin", Nothing, [](Cvyn8_rk47View& v) { v.OnDeltaposFeedSpeed(80, 1); },
     "Send Message Error"},
};

class RunWriteFailure : public RunFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunWriteFailure, ShowsTheSendersMessageAndEndsTheLink) {
    const FailureCase& c = GetParam();
    Connect();
    Scan("T-1");
    ASSERT_TRUE(CounterCounts("9", "0"));
    c.reach(*view);
    counter.Vanish();
    prompter.Clear();
    c.press(*view);
    ASSERT_EQ(prompter.shown.size(), 2u) << prompter.Texts().join("|").toStdString();
    EXPECT_EQ(prompter.shown[0].text, c.message);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_TRUE(prompter.shown[1].text.startsWith("The link to the counter was lost"));
    // The sample is closed with what was counted; no notice waits for a dump.
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(doc->m_records[0]->m_strNumPerPacket, "9");
    EXPECT_EQ(view->DumpNotice(), nullptr);
    EXPECT_EQ(view->session().Run(), RunState::Idle);
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_TRUE(ctl(IDC_CONNECT)->isEnabled());
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
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_NE(view->session().Run(), RunState::Counting);
}

}  // namespace
