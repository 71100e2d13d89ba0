// Connect and Disconnect over a pseudo-terminal: messages, control states,
// the counter's own "Disconnect", and a line that closes mid-count.

#include <QPushButton>
#include <QRadioButton>

#include "console/RunFixture.h"
#include "data/Cvyn8_rk47Doc.h"
#include "link/CounterFrames.h"

namespace {

using ConnectTest = RunFixture;

bool Enabled(QWidget* w) {
    return w && w->isEnabled();
}

TEST_F(ConnectTest, APortThatCannotBeOpenedGivesBothMessagesAndStaysDisconnected) {
    qputenv("VYN8_COM1", dir.Path("no-such-port").toLocal8Bit());
    ClickControl(view.get(), IDC_CONNECT);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Set Com Port Error");
    EXPECT_EQ(prompter.shown[1].text,
              "Please Check COM number & ensure serial line connection is ok !");
    EXPECT_EQ(prompter.shown[1].caption, "Init Comm Port Error");
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_EQ(view->Receiver(), nullptr);
    EXPECT_TRUE(Enabled(ctl(IDC_CONNECT)));
    EXPECT_FALSE(Enabled(ctl(IDC_DISCONNECT)));
}

TEST_F(ConnectTest, ConnectDisconnectAndConnectAgain) {
    Connect();
    EXPECT_GE(counter.EnqCount(), 1);
    EXPECT_FALSE(Enabled(ctl(IDC_CONNECT)));
    EXPECT_TRUE(Enabled(ctl(IDC_DISCONNECT)));
    EXPECT_TRUE(Enabled(ctl(IDC_DUMP)));
    EXPECT_FALSE(Enabled(ctl(IDC_START)));
    EXPECT_FALSE(Enabled(ctl(IDC_COM)));
    ASSERT_NE(view->Receiver(), nullptr);
    // The receive loop runs: a counter message reaches the form.
    counter.SendCount("12", "3");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(view.get(), IDC_COUNT) == "12"; }));

    ClickControl(view.get(), IDC_DISCONNECT);
    EXPECT_EQ(Sent(frames::Command("Disconnect")), frames::Command("Disconnect"));
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_EQ(view->Receiver(), nullptr);
    EXPECT_EQ(view->session().Run(), RunState::Idle);
    EXPECT_FALSE(view->session().LinkLive());
    EXPECT_TRUE(Enabled(ctl(IDC_CONNECT)));
    EXPECT_FALSE(Enabled(ctl(IDC_DISCONNECT)));
    EXPECT_FALSE(Enabled(ctl(IDC_FEEDSPEED)));
    EXPECT_TRUE(Radio(*view, IDC_TOTALIZE)->isChecked());
    EXPECT_TRUE(prompter.shown.empty());

    const int enq = counter.EnqCount();
    Connect();
    EXPECT_GT(counter.EnqCount(), enq);
    counter.SendCount("40", "1");
    EXPECT_TRUE(WaitUntil([&] { return ControlText(view.get(), IDC_COUNT) == "40"; }));
}

TEST_F(ConnectTest, ConnectAsksBeforeClearingRecordsThatWereNeverSaved) {
    doc->AddRecord("A1")->m_strInventory = "55";
    view->session().Rows().Append();
    prompter.Answer(IDNO);
    ClickControl(view.get(), IDC_CONNECT);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_EQ(counter.EnqCount(), 0);

    prompter.Answer(IDYES);
    Connect();
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_EQ(view->list().Count(), 0);

    // Saved records go without a question.
    ClickControl(view.get(), IDC_DISCONNECT);
    doc->AddRecord("A2");
    doc->m_nSaveState = RECORDS_SAVED;
    prompter.Clear();
    Connect();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(doc->RecordCount(), 0);
}

TEST_F(ConnectTest, TheCountersDisconnectKeepsThePortAndConnectOnlyShakesHandsAgain) {
    Connect();
    cSerialCom* channel = view->Channel();
    ASSERT_TRUE(CounterSays("Disconnect", [&] { return !view->session().LinkLive(); }));
    EXPECT_EQ(view->session().Run(), RunState::Idle);
    EXPECT_EQ(view->Channel(), channel);
    EXPECT_EQ(view->Receiver(), nullptr);
    EXPECT_TRUE(Enabled(ctl(IDC_CONNECT)));
    EXPECT_FALSE(Enabled(ctl(IDC_DISCONNECT)));
    EXPECT_FALSE(Enabled(ctl(IDC_START)));

    const int enq = counter.EnqCount();
    Connect();
    EXPECT_EQ(view->Channel(), channel);
    EXPECT_GT(counter.EnqCount(), enq);
    counter.SendCount("17", "1");
    EXPECT_TRUE(WaitUntil([&] { return view->session().LastCount() == "17"; }));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ConnectTest, ALineThatClosesMidCountKeepsTheCountAndConnectWorksAgain) {
    Connect();
    Scan("T-1");  // Totalize Count: the row is added and the count starts
    ASSERT_EQ(view->session().Run(), RunState::Counting);
    ASSERT_TRUE(CounterCounts("37", "0"));
    counter.Vanish();
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(view->Channel(), nullptr);
    EXPECT_EQ(view->session().Run(), RunState::Idle);
    EXPECT_TRUE(Enabled(ctl(IDC_CONNECT)));
    // The sample was closed with its count, and is on disk already.
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(doc->m_records[0]->m_strTotalQuantity, "37");
    EXPECT_EQ(Cell(0, SampleListModel::Sum), "37");
    EXPECT_TRUE(dir.Read("VYN8_Default.txt").contains("T-1"));

    PtyCounter again;
    prompter.Clear();
    ClickControl(view.get(), IDC_CONNECT);  // asks about the unsaved record: Yes
    EXPECT_TRUE(view->session().LinkLive());
    EXPECT_GE(again.EnqCount(), 1);
}

}  // namespace
