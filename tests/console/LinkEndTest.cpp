// When the link ends (the counter's "Disconnect", a lost line, a write that
// fails): the console is disconnected and idle, with no notice left open,
// and nothing can be entered or sent until Connect.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>

#include "console/CountingFixture.h"
#include "data/Cvyn8_rk47Doc.h"

namespace {

const int kRunButtons[] = {IDC_START,  IDC_STOP, IDC_ZERO, IDC_DUMP,
                           IDC_REPEAT, IDC_DONE, IDC_RESET};

bool ANoticeIsOpen() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(w) && w->isVisible()) {
            return true;
        }
    }
    return false;
}

struct EndCase {
    const char* name;
    void (*end)(PtyCounter&, Cvyn8_rk47View&);
};

const EndCase kEnds[] = {
    {"CountersDisconnect", [](PtyCounter& c, Cvyn8_rk47View&) { c.SendEvent("Disconnect"); }},
    {"LostLine", [](PtyCounter& c, Cvyn8_rk47View&) { c.Vanish(); }},
    {"FailedWrite",
     [](PtyCounter& c, Cvyn8_rk47View& v) {
         c.Vanish();
         v.OnStop();  // before the receive loop notices
     }},
};

class LinkEnd : public CountingFixture, public ::testing::WithParamInterface<EndCase> {};

TEST_P(LinkEnd, LeavesNoEntryNoRunButtonsAndASendSays) {
    Connect();
    Scan("T-1");
    ASSERT_TRUE(CounterCounts("12", "0"));
    GetParam().end(counter, *view);
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    Settle();

    EXPECT_FALSE(IdEdit(*view)->isEnabled());
    for (int id : kRunButtons) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(IDC_CONNECT));
    Scan("T-2");
    EXPECT_EQ(view->list().Count(), 1);

    prompter.Clear();
    view->OnDump();
    EXPECT_EQ(prompter.Texts(),
              QStringList{"The counter is not connected: nothing was sent. Press Connect first."});
    EXPECT_EQ(view->DumpNotice(), nullptr);
    EXPECT_EQ(counter.TakeFrames(1, 300), QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Each, LinkEnd, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailCase {
    const char* name;
    void (*press)(Cvyn8_rk47View&);
};

const FailCase kFails[] = {
    {"Stop", [](Cvyn8_rk47View& v) { v.OnStop(); }},
    {"Zero", [](Cvyn8_rk47View& v) { v.OnZero(); }},
    {"Dump", [](Cvyn8_rk47View& v) { v.OnDump(); }},
};

class ReleasedChannel : public CountingFixture, public ::testing::WithParamInterface<FailCase> {};

TEST_P(ReleasedChannel, LeavesTheConsoleIdleSoTheNextSampleSendsItsProgram) {
    Connect();
    Scan("T-1");
    ASSERT_TRUE(CounterCounts("12", "0"));
    counter.Vanish();
    GetParam().press(*view);
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_EQ(view->session().Run(), RunState::Idle);

    PtyCounter again;
    ClickControl(view.get(), IDC_CONNECT);
    ASSERT_TRUE(view->session().LinkLive());
    again.TakeFrames();
    Scan("T-2");
    EXPECT_TRUE(again.TakeFrames(20).startsWith("\x02P\x1fWheat"));
    EXPECT_EQ(view->session().Run(), RunState::Counting);
}

INSTANTIATE_TEST_SUITE_P(Each, ReleasedChannel, ::testing::ValuesIn(kFails),
                         [](const auto& info) { return std::string(info.param.name); });

class LostLineNotice;
struct NoticeCase {
    const char* name;
    void (LostLineNotice::*open)();
    bool (*shown)(const Cvyn8_rk47View&);
};

class LostLineNotice : public CountingFixture, public ::testing::WithParamInterface<NoticeCase> {
public:
    void DumpNotice() {
        Scan("T-1");
        ASSERT_TRUE(CounterCounts("30", "0"));
        ClickControl(view.get(), IDC_DUMP);
    }
    void SampleReadyNotice() {
        EnterSeries("B-1", {{"1", "10"}});
        ClickControl(view.get(), IDC_START);
        ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
        ASSERT_TRUE(CounterSays("Full", [&] { return view->SampleReadyNotice() != nullptr; }));
    }
};

TEST_P(LostLineNotice, ClosesTheNoticeAndLeavesOnlyTheLinkSettingsUsable) {
    Connect();
    (this->*GetParam().open)();
    ASSERT_TRUE(GetParam().shown(*view));
    counter.Vanish();
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    QTest::qWait(50);  // a closed notice goes once its events have run

    EXPECT_EQ(prompter.shown.size(), 1u) << prompter.Texts().join("|").toStdString();
    EXPECT_FALSE(GetParam().shown(*view));
    EXPECT_FALSE(ANoticeIsOpen());
    for (int id : {IDC_DUMP, IDC_LOADFILE, IDC_ID, IDC_NAME, IDC_START, IDC_DONE}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    for (int id : {IDC_CONNECT, IDC_COM, IDC_FEEDSPEED}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
}

const NoticeCase kNotices[] = {
    {"DumpWaiting", &LostLineNotice::DumpNotice,
     [](const Cvyn8_rk47View& v) { return v.DumpNotice() != nullptr; }},
    {"SampleReady", &LostLineNotice::SampleReadyNotice,
     [](const Cvyn8_rk47View& v) { return v.SampleReadyNotice() != nullptr; }},
};

INSTANTIATE_TEST_SUITE_P(Each, LostLineNotice, ::testing::ValuesIn(kNotices),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
