// Whole counts: the console and the simulated counter (vyn8-counter) on a
// pseudo-terminal, driven the way the operator drives them.

#include <QCheckBox>
#include <QPushButton>
#include <memory>

#include "data/Cvyn8_rk47Doc.h"
#include "e2e/SimConsoleFixture.h"

namespace {

TEST_F(CountWithSimulator, ATotalizeSampleFromItsScanToDone) {
    StartCounter({});
    Scan("T-100");
    ASSERT_EQ(view->session().Run(), RunState::Counting);
    ASSERT_TRUE(WaitUntil([&] { return Count() >= 20; }));
    ClickControl(view.get(), IDC_DONE);
    const QString counted = view->session().LastCount();
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Record(0).m_strIdBarcode, "T-100");
    EXPECT_EQ(Record(0).m_strSeed, "Wheat");
    EXPECT_EQ(Record(0).m_strPackNo, "0");
    EXPECT_EQ(Record(0).m_strInventory, counted);
    EXPECT_EQ(Record(0).m_strTotalQuantity, counted);
    EXPECT_EQ(Cell(0, SampleListModel::Inventory), counted);
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_TRUE(dir.Read("vyn8_inventory.txt").contains("T-100\t" + counted.toLatin1()));

    // Dump empties the machine; the counter's answers close nothing twice.
    ClickControl(view.get(), IDC_DUMP);
    ASSERT_TRUE(WaitUntil([&] { return view->DumpNotice() == nullptr; }));
    EXPECT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Record(0).m_strInventory, counted);
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
}

TEST_F(CountWithSimulator, ATwoRowBatchSeriesThroughTheAutomaticDump) {
    StartCounter({"--fast", "--leftover", "37"});
    EnterSeries("B-7", {{"2", "10"}, {"1", "5"}});
    ASSERT_EQ(view->session().SampleRowCount(), 2);
    ClickControl(view.get(), IDC_START);
    // BatchF twice, Full (Sample Ready), Empty (the automatic dump), the
    // left-over seeds and Dump.
    ASSERT_TRUE(WaitUntil([&] {
        return view->session().Run() == RunState::Dumped && view->DumpNotice() == nullptr &&
               !doc->m_records.empty() && !doc->m_records.back()->m_strInventory.isEmpty();
    }));
    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(Record(0).m_strPackNo, "2");
    EXPECT_EQ(Record(0).m_strNumPerPacket, "10");
    EXPECT_EQ(Record(1).m_strPackNo, "1");
    EXPECT_EQ(Record(1).m_strNumPerPacket, "5");
    EXPECT_EQ(Record(1).m_strInventory, "37");
    EXPECT_EQ(Record(1).m_strTotalQuantity, "62");  // 2 x 10 + 1 x 5 + 37
    EXPECT_EQ(Cell(1, SampleListModel::Inventory), "37");
    EXPECT_EQ(Cell(1, SampleListModel::Sum), "62");
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_EQ(view->list().State(1), SampleListModel::Counted);
    QString inventory;
    ASSERT_TRUE(doc->m_inventory.Lookup("B-7", &inventory));
    EXPECT_EQ(inventory, "37");
    EXPECT_EQ(view->SampleReadyNotice(), nullptr);
    // Ready for the next scan.
    EXPECT_TRUE(IdEdit(*view)->text().isEmpty());
    EXPECT_TRUE(IdEdit(*view)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), IdEdit(*view));
    EXPECT_TRUE(SameAsPrevious(*view)->isChecked());
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
}

TEST_F(CountWithSimulator, RepeatAfterASeriesCountsItAgain) {
    SetAutoDump(*view, false);
    StartCounter({"--fast"});
    EnterSeries("R-1", {{"1", "10"}, {"2", "10"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return view->session().CurrentPacket() == 2; }));
    ASSERT_TRUE(view->control(IDC_REPEAT)->isEnabled());
    ClickControl(view.get(), IDC_REPEAT);
    EXPECT_EQ(view->list().Count(), 4);
    // The counter answers "Repeat" and counts the copies: both rows again.
    ASSERT_TRUE(WaitUntil([&] { return doc->RecordCount() == 4; }));
    EXPECT_EQ(view->list().Count(), 4);
    EXPECT_EQ(Cell(3, SampleListModel::Id), "R-1");
    EXPECT_EQ(view->list().State(3), SampleListModel::Counted);
}

TEST_F(CountWithSimulator, ResetInTheMiddleOfASeriesKeepsTheRowsCounted) {
    StartCounter({"--seeds-per-second", "200"});
    EnterSeries("S-1", {{"1", "10"}, {"3", "100"}, {"1", "10"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return view->session().CurrentPacket() == 1; }));
    ClickControl(view.get(), IDC_RESET);
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(static_cast<QPushButton*>(view->control(IDC_REPEAT))->text(), "Repeat");
    // The counter stops and says nothing more; the sample stays closed.
    const qsizetype records = doc->RecordCount();
    QTest::qWait(300);
    EXPECT_EQ(doc->RecordCount(), records);
    EXPECT_EQ(view->session().Run(), RunState::Closing);
}

TEST_F(CountWithSimulator, DoneInTheMiddleOfAPacketRecordsTheIncompletePacket) {
    StartCounter({"--seeds-per-second", "400"});
    EnterSeries("D-1", {{"3", "100"}});
    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return view->session().LastPackNo() == "2" && Count() >= 5; }));
    ClickControl(view.get(), IDC_DONE);
    const QString counted = ControlText(view.get(), IDC_COUNT);
    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(Record(0).m_strPackNo, "1");
    EXPECT_EQ(Record(0).m_strNumPerPacket, "100");
    EXPECT_EQ(Record(1).m_strPackNo, "1");
    EXPECT_EQ(Record(1).m_strComment, "InComplete");
    EXPECT_EQ(Record(1).m_strNumPerPacket, counted);
    EXPECT_EQ(Cell(0, SampleListModel::PackNo), "1");
    EXPECT_EQ(Cell(1, SampleListModel::Comment), "incomplete");
    EXPECT_EQ(Cell(1, SampleListModel::NumP), counted);
}

TEST_F(CountWithSimulator, StartStopStartPausesAndResumesTheCount) {
    StartCounter({"--seeds-per-second", "400"});
    Scan("P-1");
    ASSERT_TRUE(WaitUntil([&] { return Count() >= 5; }));
    ClickControl(view.get(), IDC_STOP);
    ASSERT_TRUE(WaitUntil([&] { return view->control(IDC_START)->isEnabled(); }));
    ClickControl(view.get(), IDC_START);  // the 9-byte "Start"
    const int before = Count();
    ASSERT_TRUE(WaitUntil([&] { return Count() > before + 5; }));
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_FALSE(view->control(IDC_START)->isEnabled());
}

TEST_F(CountWithSimulator, TheCountersDisconnectAndAReconnect) {
    StartCounter({"--fast", "--disconnect-after-frames", "3"});
    Scan("X-1");
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    EXPECT_NE(view->Channel(), nullptr);  // the port stays open
    EXPECT_TRUE(view->control(IDC_CONNECT)->isEnabled());
    ClickControl(view.get(), IDC_CONNECT);  // clears X-1's unsaved record: Yes
    ASSERT_TRUE(view->session().LinkLive()) << prompter.Texts().join("|").toStdString();
    Scan("X-2");
    EXPECT_TRUE(WaitUntil([&] { return Count() > 0; }));
}

TEST_F(CountWithSimulator, TheLineClosingMidCountKeepsTheCount) {
    StartCounter({"--seeds-per-second", "400", "--vanish-after-frames", "6"});
    Scan("V-1");
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(view->Channel(), nullptr);
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Record(0).m_strIdBarcode, "V-1");
    EXPECT_EQ(Record(0).m_strTotalQuantity, view->session().LastCount());
    EXPECT_TRUE(Record(0).m_strInventory.isEmpty());  // nothing was dumped
    EXPECT_TRUE(dir.Read("VYN8_Default.txt").contains("V-1"));
}

}  // namespace
