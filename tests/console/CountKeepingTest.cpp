// Every count the counter reports ends in the records, with the right
// figures, whichever way its sample ends: the console's dump answered after
// its notice was closed, the counter's own dump, a lost line, Disconnect or
// the program closing mid-count, Done right after a row, a series boundary.

#include <QPushButton>
#include <memory>

#include "app/CMainFrame.h"
#include "console/RunFixture.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"

namespace {

class CountKeeping : public RunFixture {
protected:
    // The counter sends a count frame; the console has shown it.
    bool Counts(PtyCounter& line, const QString& count, const QString& pack) {
        line.SendCount(count, pack);
        return WaitUntil([&] {
            return view->session().LastCount() == count && view->session().LastPackNo() == pack;
        });
    }
    bool Counts(const QString& count, const QString& pack) { return Counts(counter, count, pack); }
    // Whether `frame` is the last the console wrote (waiting for it).
    bool SentLast(const QByteArray& frame) {
        QByteArray got;
        return WaitUntil([&] {
            got += counter.TakeFrames(0, 0);
            return got.endsWith(frame);
        });
    }
    // A hand-entered series, started.
    void StartSeries(const QString& id, const std::vector<std::pair<QString, QString>>& rows) {
        EnterSeries(id, rows);
        ClickControl(view.get(), IDC_START);
        ASSERT_EQ(view->session().Run(), RunState::Counting);
    }
    // PackNo, Num/P, Inventory, Total Quantity and Comment of record i.
    QStringList Figures(int i) const {
        const cParam& p = *doc->m_records.at(static_cast<size_t>(i));
        return {p.m_strPackNo, p.m_strNumPerPacket, p.m_strInventory, p.m_strTotalQuantity,
                p.m_strComment};
    }
    QString Stored(const QString& id) const {
        QString v;
        return doc->m_inventory.Lookup(id, &v) ? v : QStringLiteral("<none>");
    }
    // The automatic dump of a finished series: "Full", then "Empty".
    bool AutoDumpStarts(PtyCounter& line) {
        line.SendEvent("Full");
        if (!WaitUntil([&] { return view->SampleReadyNotice() != nullptr; })) {
            return false;
        }
        line.SendEvent("Empty");
        return WaitUntil([&] { return view->DumpNotice() != nullptr; });
    }
};

// The operator (or a scanner's Enter) closes "Waiting for Dumping and
// Cleaning..." before the counter's "Dump" arrives.
struct EarlyCloseCase {
    const char* name;
    bool batch;
    QStringList figures;  // of the last record
    QString stored;
};

class DumpNoticeClosedEarly : public CountKeeping,
                              public ::testing::WithParamInterface<EarlyCloseCase> {};

TEST_P(DumpNoticeClosedEarly, TheAnswerStillWritesTheFigures) {
    const EarlyCloseCase& c = GetParam();
    Connect();
    if (c.batch) {
        StartSeries("S-1", {{"2", "10"}});
        ASSERT_TRUE(Counts("10", "2"));
        ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
        ASSERT_TRUE(AutoDumpStarts(counter));
    } else {
        Scan("S-1");
        ASSERT_TRUE(Counts("45", "1"));
        ClickControl(view.get(), IDC_DUMP);
        ASSERT_NE(view->DumpNotice(), nullptr);
    }
    EXPECT_TRUE(SentLast(frames::Command("Dump")));
    ClickControl(view->DumpNotice(), IDOK);
    ASSERT_EQ(view->DumpNotice(), nullptr);

    ASSERT_TRUE(Counts(c.batch ? "7" : "50", c.batch ? "0" : "1"));
    ASSERT_TRUE(CounterSays("Dump", [&] { return !doc->m_records.empty(); }));
    const int last = static_cast<int>(doc->RecordCount()) - 1;
    ASSERT_TRUE(WaitUntil([&] { return !Figures(last)[2].isEmpty(); }));
    EXPECT_EQ(Figures(last), c.figures);
    EXPECT_EQ(Stored("S-1"), c.stored);
    EXPECT_EQ(Cell(0, SampleListModel::Inventory), c.stored);
    EXPECT_EQ(Cell(0, SampleListModel::Sum), c.figures[3]);
    EXPECT_TRUE(dir.Read("vyn8_inventory.txt").contains("S-1\t" + c.stored.toLatin1()));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DumpNoticeClosedEarly,
    ::testing::Values(EarlyCloseCase{"Totalize", false, {"0", "50", "50", "50", ""}, "50"},
                      EarlyCloseCase{"Batch", true, {"2", "10", "7", "27", ""}, "7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CountKeeping, TheCountersOwnDumpClosesATotalizeSample) {
    Connect();
    Scan("T-1");
    ASSERT_TRUE(Counts("30", "1"));
    ASSERT_TRUE(Counts("33", "1"));
    ASSERT_TRUE(CounterSays("Dump", [&] { return view->session().Run() == RunState::Dumped; }));
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Figures(0), (QStringList{"0", "33", "33", "33", ""}));
    EXPECT_EQ(Stored("T-1"), "33");
    EXPECT_EQ(Cell(0, SampleListModel::NumP), "33");
    EXPECT_EQ(Cell(0, SampleListModel::Inventory), "33");
    EXPECT_EQ(Cell(0, SampleListModel::Sum), "33");
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_TRUE(IdEdit(*view)->isEnabled());

    // The next scan is a new sample with a record of its own.
    Scan("T-2");
    ASSERT_TRUE(Counts("12", "1"));
    ClickControl(view.get(), IDC_DONE);
    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(doc->m_records[1]->m_strIdBarcode, "T-2");
    EXPECT_EQ(Figures(1), (QStringList{"0", "12", "12", "12", ""}));
}

// The line goes away mid-count: the records keep what was counted, the
// stored inventory stays as it was.
struct CutOffCase {
    const char* name;
    bool batch;
    std::vector<QStringList> figures;
};

class LineLostMidCount : public CountKeeping, public ::testing::WithParamInterface<CutOffCase> {};

TEST_P(LineLostMidCount, KeepsTheCountsButNotAnInventory) {
    const CutOffCase& c = GetParam();
    doc->m_inventory.Set("L-1", "500");
    Connect();
    if (c.batch) {
        StartSeries("L-1", {{"2", "10"}, {"3", "20"}});
        ASSERT_TRUE(Counts("10", "2"));
        ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
        ASSERT_TRUE(Counts("20", "2"));
        ASSERT_TRUE(Counts("8", "3"));
    } else {
        Scan("L-1");
        ASSERT_TRUE(Counts("37", "1"));
    }
    counter.Vanish();
    ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
    ASSERT_EQ(doc->RecordCount(), static_cast<qsizetype>(c.figures.size()));
    for (size_t i = 0; i < c.figures.size(); ++i) {
        EXPECT_EQ(Figures(static_cast<int>(i)), c.figures[i]) << i;
    }
    EXPECT_EQ(Stored("L-1"), "500");
    EXPECT_TRUE(dir.Read("vyn8_inventory.txt").contains("L-1\t500"));
    EXPECT_TRUE(dir.Read("VYN8_Default.txt").contains("L-1"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LineLostMidCount,
    ::testing::Values(CutOffCase{"Totalize", false, {{"0", "37", "", "37", ""}}},
                      CutOffCase{"Batch",
                                 true,
                                 {{"2", "10", "", "", ""},
                                  {"2", "20", "", "", ""},
                                  {"1", "8", "", "68", "InComplete"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CountKeeping, DisconnectOrClosingMidCountAsksThenKeepsTheCount) {
    // Closing the program: No keeps it open and counting.
    {
        Cvyn8_rk47Doc frameDoc;
        CMainFrame frame(&frameDoc);
        frame.StartAndShow();
        Cvyn8_rk47View* v = frame.view();
        ClickControl(v, IDC_CONNECT);
        ASSERT_TRUE(v->session().LinkLive());
        ScanId(*v, "C-1");
        counter.SendCount("41", "1");
        ASSERT_TRUE(WaitUntil([&] { return v->session().LastCount() == "41"; }));
        prompter.Answer(IDNO);
        EXPECT_FALSE(frame.close());
        EXPECT_EQ(prompter.shown.back().buttons, PromptButtons::YesNo);
        EXPECT_EQ(v->session().Run(), RunState::Counting);
        EXPECT_EQ(frameDoc.RecordCount(), 0);
        prompter.Answer(IDYES);
        EXPECT_TRUE(frame.close());
        EXPECT_TRUE(dir.Read("VYN8_Default.txt").contains("C-1\tWheat\t0\t41\t\t\t\t41"))
            << dir.Read("VYN8_Default.txt").toStdString();
        EXPECT_FALSE(dir.Read("vyn8_inventory.txt").contains("C-1"));
    }
    counter.TakeFrames();
    prompter.Clear();

    // Disconnect: No changes nothing and sends nothing; Yes closes the sample.
    Connect();
    Scan("D-1");
    ASSERT_TRUE(Counts("37", "1"));
    // Whatever the console sent before is off the line before No is judged.
    while (!counter.TakeFrames(1, 200).isEmpty()) {
    }
    prompter.Answer(IDNO);
    ClickControl(view.get(), IDC_DISCONNECT);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(view->session().LinkLive());
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_TRUE(counter.TakeFrames(1, 200).isEmpty());

    prompter.Answer(IDYES);
    ClickControl(view.get(), IDC_DISCONNECT);
    EXPECT_EQ(Sent(frames::Command("Disconnect")), frames::Command("Disconnect"));
    EXPECT_FALSE(view->session().LinkLive());
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Figures(0), (QStringList{"0", "37", "", "37", ""}));
    EXPECT_EQ(Stored("D-1"), "<none>");
}

// Whatever ends a series, the next one's Total Quantity starts from nothing:
// 1 x 5 + 7 left over is 12.
struct BoundaryCase {
    const char* name;
    int rowsFinished;  // of the first series, before the boundary
};

class SeriesBoundary : public CountKeeping, public ::testing::WithParamInterface<BoundaryCase> {};

TEST_P(SeriesBoundary, TheNextSeriesTotalStartsAfresh) {
    const std::string name = GetParam().name;
    std::unique_ptr<PtyCounter> again;
    PtyCounter* line = &counter;
    Connect();
    StartSeries("A-1", {{"2", "10"}, {"3", "10"}});
    for (int r = 0; r < GetParam().rowsFinished; ++r) {
        ASSERT_TRUE(Counts("10", QString::number(r + 2)));
        ASSERT_TRUE(
            CounterSays("BatchF", [&] { return view->session().CurrentPacket() == r + 1; }));
    }
    if (name == "Reset") {
        ClickControl(view.get(), IDC_RESET);
    } else if (name == "Disconnect") {
        ClickControl(view.get(), IDC_DISCONNECT);  // asked, and answered Yes
    } else if (name == "CountersDisconnect") {
        ASSERT_TRUE(CounterSays("Disconnect", [&] { return !view->session().LinkLive(); }));
    } else {
        counter.Vanish();
        ASSERT_TRUE(WaitUntil([&] { return !view->session().LinkLive(); }));
        again = std::make_unique<PtyCounter>();
        line = again.get();
    }
    if (!view->session().LinkLive()) {
        ClickControl(view.get(), IDC_CONNECT);  // clears the unsaved records: Yes
        ASSERT_TRUE(view->session().LinkLive());
    }

    StartSeries("A-2", {{"1", "5"}});
    ASSERT_TRUE(Counts(*line, "5", "1"));
    line->SendEvent("BatchF");
    ASSERT_TRUE(WaitUntil([&] { return view->session().AutoDumpArmed(); }));
    ASSERT_TRUE(AutoDumpStarts(*line));
    ASSERT_TRUE(Counts(*line, "7", "0"));
    line->SendEvent("Dump");
    ASSERT_TRUE(WaitUntil([&] { return view->DumpNotice() == nullptr; }));
    const cParam& last = *doc->m_records.back();
    EXPECT_EQ(last.m_strIdBarcode, "A-2");
    EXPECT_EQ(last.m_strInventory, "7");
    EXPECT_EQ(last.m_strTotalQuantity, "12");
}

INSTANTIATE_TEST_SUITE_P(Boundaries, SeriesBoundary,
                         ::testing::Values(BoundaryCase{"Reset", 1}, BoundaryCase{"Disconnect", 1},
                                           BoundaryCase{"CountersDisconnect", 2},
                                           BoundaryCase{"LineLost", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CountKeeping, DoneRightAfterARowRecordsNothingOfTheLastRowsFigures) {
    Connect();
    StartSeries("R-1", {{"2", "10"}, {"3", "20"}});
    ASSERT_TRUE(Counts("10", "1"));
    ASSERT_TRUE(Counts("10", "2"));
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
    ClickControl(view.get(), IDC_DONE);  // before the second row's first count frame

    ASSERT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(Figures(0), (QStringList{"2", "10", "", "", ""}));
    // The second row counted nothing: no packet of it was finished.
    EXPECT_EQ(Figures(1), (QStringList{"1", "0", "0", "20", "InComplete"}));
    EXPECT_EQ(view->list().Count(), 2);
    EXPECT_EQ(Cell(1, SampleListModel::PackNo), "1");
    EXPECT_EQ(Cell(1, SampleListModel::NumP), "0");
    EXPECT_EQ(Cell(1, SampleListModel::Comment), "InComplete");
}

TEST_F(CountKeeping, TheCountersResetAndRepeatAlwaysActAndALateResetChangesNothing) {
    SetAutoDump(*view, false);
    Connect();
    Scan("T-1");
    ASSERT_TRUE(Counts("20", "1"));
    ClickControl(view.get(), IDC_DONE);
    // The counter's own Reset right after Done closes the next sample.
    Scan("T-2");
    ASSERT_TRUE(Counts("15", "1"));
    ASSERT_TRUE(CounterSays("Reset", [&] { return doc->RecordCount() == 2; }));
    EXPECT_EQ(doc->m_records[1]->m_strIdBarcode, "T-2");
    EXPECT_EQ(Figures(1), (QStringList{"0", "15", "15", "15", ""}));
    // A late Reset, after the dump's count came in: nothing changes.
    ASSERT_TRUE(Counts("99", "0"));
    counter.SendEvent("Reset");
    ASSERT_TRUE(Counts("98", "0"));
    EXPECT_EQ(doc->RecordCount(), 2);
    EXPECT_EQ(Cell(1, SampleListModel::Inventory), "15");
    EXPECT_EQ(Cell(1, SampleListModel::Sum), "15");

    // The counter's own Repeat right after the console's copies the series
    // once more.
    StartSeries("B-1", {{"1", "10"}});
    ASSERT_TRUE(Counts("10", "1"));
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
    ClickControl(view.get(), IDC_REPEAT);
    ASSERT_EQ(view->list().Count(), 4);
    ASSERT_TRUE(Counts("10", "1"));
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().CurrentPacket() == 1; }));
    ASSERT_TRUE(CounterSays("Repeat", [&] { return view->list().Count() == 5; }));
    EXPECT_EQ(Cell(4, SampleListModel::Id), "B-1");
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_EQ(view->list().State(4), SampleListModel::Current);
}

TEST_F(CountKeeping, EmptyStartsTheArmedDumpAfterTheReadyNoticeWasClosed) {
    Connect();
    StartSeries("E-1", {{"1", "10"}});
    ASSERT_TRUE(Counts("10", "1"));
    ASSERT_TRUE(CounterSays("BatchF", [&] { return view->session().AutoDumpArmed(); }));
    ASSERT_TRUE(CounterSays("Full", [&] { return view->SampleReadyNotice() != nullptr; }));
    ClickControl(view->SampleReadyNotice(), IDOK);
    ASSERT_EQ(view->SampleReadyNotice(), nullptr);
    counter.TakeFrames();
    ASSERT_TRUE(CounterSays("Empty", [&] { return view->DumpNotice() != nullptr; }));
    EXPECT_EQ(Sent(frames::Command("Dump")), frames::Command("Dump"));
}

}  // namespace
