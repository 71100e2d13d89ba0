// The run buttons against a counter on a pseudo-terminal: the start checks,
// the frames each button writes, the spin, and the counter's answers.

#include <sys/stat.h>
#include <QPushButton>
#include <QRadioButton>

#include "console/RunFixture.h"
#include "console/UpDownCtrl.h"
#include "data/Cvyn8_rk47Doc.h"

namespace {

using RunControl = RunFixture;

// Wheat, one Totalize Count row ("1" seed, "0" packets), gate horizontal 12,
// gate vertical 10, sensitivity 5, feed speed 50.
const QByteArray kTotalizeProgram =
    "\x02P\x1fWheat\x1f"
    "1\x1f"
    "1\x1f"
    "0\x1f"
    "12\x1f"
    "10\x1f"
    "5\x1f"
    "50\x1fStart\x03";

TEST_F(RunControl, StartNeedsACountModeAndRowsAndSendsNothingWithout) {
    Connect();
    ClickControl(view.get(), IDC_BATCH);
    view->OnStart();
    ClickControl(view.get(), IDC_TOTALIZE);
    view->OnStart();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text,
              "Please enter package number and count number in each package");
    EXPECT_EQ(prompter.shown[0].caption, "Warnning");
    EXPECT_EQ(prompter.shown[1].text, "Please select count mode");
    EXPECT_EQ(prompter.shown[1].caption, kAppTitle);
    EXPECT_EQ(view->session().Run(), RunState::Idle);
    EXPECT_TRUE(SentBeforeDisconnect().isEmpty());
}

TEST_F(RunControl, StartStopStartSendsTheProgramThenStopThenTheShortStart) {
    Connect();
    Scan("T-1");
    EXPECT_EQ(Sent(kTotalizeProgram), kTotalizeProgram);
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_FALSE(ctl(IDC_START)->isEnabled());
    EXPECT_TRUE(ctl(IDC_STOP)->isEnabled());
    EXPECT_EQ(view->list().State(0), SampleListModel::Current);

    ClickControl(view.get(), IDC_STOP);
    EXPECT_EQ(Sent(frames::Command("Stop")), frames::Command("Stop"));
    EXPECT_EQ(view->session().Run(), RunState::Stopped);
    ClickControl(view.get(), IDC_START);
    const QByteArray start = counter.TakeFrames(9);
    EXPECT_EQ(start, QByteArray("\x02"
                                "C\x1fStart\x03"));
    EXPECT_EQ(start.size(), 9);
    EXPECT_EQ(view->session().Run(), RunState::Counting);
}

TEST_F(RunControl, TheSpinSendsTheSpeedOneStepBehindOnlyWhileASampleRuns) {
    Connect();
    UpDownCtrl* spin = Spin(*view);
    spin->Step(+1);  // idle: shown, not sent
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "50");
    EXPECT_TRUE(SentBeforeDisconnect().isEmpty());
    Connect();

    Scan("T-1");
    Sent(kTotalizeProgram);
    spin->Step(+1);
    const QByteArray speed(
        "\x02"
        "C\x1fM51\x03");
    EXPECT_EQ(Sent(speed), speed);
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "51");

    ClickControl(view.get(), IDC_DONE);  // closing: nothing more is sent
    Sent(frames::Command("Reset"));
    spin->Step(-1);
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "52");
    EXPECT_TRUE(SentBeforeDisconnect().isEmpty());
}

TEST_F(RunControl, AResetAfterDoneIsNoSecondCloseButTheCountersOwnResetCloses) {
    Connect();
    Scan("T-1");
    ASSERT_TRUE(CounterCounts("20", "0"));
    Sent(kTotalizeProgram);
    ClickControl(view.get(), IDC_DONE);
    EXPECT_EQ(Sent(frames::Command("Reset")), frames::Command("Reset"));
    ASSERT_EQ(doc->RecordCount(), 1);
    counter.SendEvent("Reset");  // the sample has ended: nothing to close
    ASSERT_TRUE(CounterCounts("21", "0"));
    EXPECT_EQ(doc->RecordCount(), 1);

    Scan("T-2");
    ASSERT_TRUE(CounterCounts("15", "0"));
    counter.SendEvent("Reset");  // the counter closes the sample itself
    ASSERT_TRUE(WaitUntil([&] { return doc->RecordCount() == 2; }));
    EXPECT_EQ(doc->m_records[1]->m_strIdBarcode, "T-2");
    EXPECT_EQ(doc->m_records[1]->m_strInventory, "15");
    EXPECT_EQ(view->session().Run(), RunState::Closing);
}

TEST_F(RunControl, RepeatCopiesTheSeriesAndCountsTheCopies) {
    SetAutoDump(*view, false);
    Connect();
    EnterSeries("B-1", {{"2", "10"}, {"1", "5"}});
    ASSERT_EQ(view->session().SampleRowCount(), 2);
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 2; }));
    ASSERT_TRUE(ctl(IDC_REPEAT)->isEnabled());
    counter.TakeFrames(1);

    ClickControl(view.get(), IDC_REPEAT);
    EXPECT_TRUE(counter.TakeFrames(11).endsWith(frames::Command("Recycle")));
    ASSERT_EQ(view->list().Count(), 4);
    ASSERT_TRUE(CounterCounts("3", "1"));
    EXPECT_EQ(view->list().Count(), 4);
    EXPECT_EQ(view->session().SampleRowCount(), 2);
    EXPECT_EQ(view->session().CurrentPacket(), 0);
    EXPECT_EQ(Cell(2, SampleListModel::No), "3");
    EXPECT_EQ(Cell(3, SampleListModel::Id), "B-1");
    EXPECT_EQ(Cell(3, SampleListModel::PackNo), "1");
    EXPECT_EQ(view->list().State(2), SampleListModel::Current);
}

TEST_F(RunControl, ResetMidSeriesKeepsTheCountedRowsAndTheRepeatCaption) {
    Connect();
    EnterSeries("B-1", {{"2", "10"}, {"3", "10"}, {"1", "10"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
    counter.TakeFrames(1);
    ClickControl(view.get(), IDC_RESET);
    EXPECT_TRUE(counter.TakeFrames(9).endsWith(frames::Command("Reset")));
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_EQ(ControlText(view.get(), IDC_REPEAT), "Repeat");
    EXPECT_TRUE(Radio(*view, IDC_TOTALIZE)->isChecked());
    EXPECT_EQ(view->session().Run(), RunState::Closing);
    EXPECT_TRUE(ctl(IDC_DUMP)->isEnabled());
}

TEST_F(RunControl, ADumpOfANewSampleNeverWritesOnThePreviousRecord) {
    Connect();
    Scan("T-1");
    ASSERT_TRUE(CounterCounts("30", "0"));
    ClickControl(view.get(), IDC_DONE);
    Scan("T-2");
    ASSERT_TRUE(CounterCounts("45", "0"));
    ClickControl(view.get(), IDC_DUMP);  // before Done: the dump closes the sample
    ASSERT_NE(view->DumpNotice(), nullptr);
    EXPECT_EQ(Cell(0, SampleListModel::NumP), "1");
    EXPECT_EQ(Cell(1, SampleListModel::NumP), "45");  // the count so far
    counter.SendCount("50", "0");
    ASSERT_TRUE(CounterSays("Dump", [&] { return view->DumpNotice() == nullptr; }));
    EXPECT_EQ(view->session().Run(), RunState::Dumped);
    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(doc->m_records[0]->m_strInventory, "30");
    EXPECT_EQ(doc->m_records[0]->m_strTotalQuantity, "30");
    EXPECT_EQ(doc->m_records[1]->m_strIdBarcode, "T-2");
    EXPECT_EQ(doc->m_records[1]->m_strInventory, "50");
    EXPECT_EQ(doc->m_records[1]->m_strTotalQuantity, "50");
    QString inventory;
    ASSERT_TRUE(doc->m_inventory.Lookup("T-1", &inventory));
    EXPECT_EQ(inventory, "30");
}

// A message box of one frame's handler runs a nested event loop; the frames
// that arrive meanwhile wait for that handler to finish.
class PumpingPrompter : public RecordingPrompter {
public:
    std::function<void()> whileShown;
    int Show(const PromptRequest& request) override {
        if (whileShown) {
            whileShown();
        }
        return RecordingPrompter::Show(request);
    }
};

TEST_F(RunControl, FramesWaitForAHandlerWhoseMessageBoxIsOpen) {
    Connect();
    EnterSeries("B-1", {{"2", "10"}, {"3", "10"}});
    ClickControl(view.get(), IDC_START);
    // Keeping the records on disk fails: its message opens during "BatchF".
    const QByteArray blocker = dir.Path("VYN8_Default.txt").toLocal8Bit();
    ASSERT_EQ(::mkdir(blocker.constData(), 0700), 0);
    QString countWhileShown;
    size_t shown = 0;
    {
        PumpingPrompter pumping;
        pumping.whileShown = [&] {
            counter.SendCount("7", "2");
            EXPECT_TRUE(WaitUntil([&] { return view->FramesWaiting() > 0; }));
            countWhileShown = view->session().LastCount();
        };
        counter.SendEvent("BatchF");
        EXPECT_TRUE(WaitUntil([&] { return view->session().LastCount() == "7"; }));
        shown = pumping.shown.size();
    }
    SetPrompter(&prompter);
    ::rmdir(blocker.constData());
    EXPECT_EQ(shown, 1u);
    EXPECT_EQ(countWhileShown, "0");
    EXPECT_EQ(view->session().CurrentPacket(), 1);
    EXPECT_EQ(ControlText(view.get(), IDC_BATCHNO), "2");
}

}  // namespace
