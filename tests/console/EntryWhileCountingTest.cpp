// While a sample is counted, nothing the keyboard or a scanner sends can
// change it: ID entry is closed and the focus rests on the list.

#include <QLineEdit>
#include <QTableView>

#include "console/CountingFixture.h"
#include "console/UpDownCtrl.h"

namespace {

struct RunningCase {
    const char* name;
    void (*reach)(Cvyn8_rk47View&);  // from a Totalize Count sample just started
};

const RunningCase kRunning[] = {
    {"JustStarted", [](Cvyn8_rk47View&) {}},
    {"AfterASpinStep", [](Cvyn8_rk47View& v) { Spin(v)->Step(+1); }},
    {"AfterSetCounter", [](Cvyn8_rk47View& v) { v.OnSetCounter(); }},
    {"AfterStop", [](Cvyn8_rk47View& v) { v.OnStop(); }},
};

class EntryWhileCounting : public CountingFixture,
                           public ::testing::WithParamInterface<RunningCase> {};

TEST_P(EntryWhileCounting, ASecondScanChangesNothing) {
    Connect();
    Scan("T-1");
    ASSERT_EQ(view->session().Run(), RunState::Counting);
    GetParam().reach(*view);
    Settle();

    ScannerTypes("T-2");
    EXPECT_FALSE(IdEdit(*view)->isEnabled());
    EXPECT_TRUE(IdEdit(*view)->text().isEmpty());
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->session().SampleRowCount(), 1);
    EXPECT_EQ(Cell(0, SampleListModel::Id), "T-1");
    EXPECT_TRUE(SentBeforeDisconnect().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Each, EntryWhileCounting, ::testing::ValuesIn(kRunning),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
    const char* name;
    void (*start)(Cvyn8_rk47View&, ScriptedDialogRunner&);
};

const StartCase kStarts[] = {
    {"TotalizeScan", [](Cvyn8_rk47View& v, ScriptedDialogRunner&) { ScanId(v, "T-1"); }},
    {"BatchStart",
     [](Cvyn8_rk47View& v, ScriptedDialogRunner& d) {
         EnterBatchSeries(v, d, "B-1", {{"2", "10"}});
         ClickControl(&v, IDC_START);
     }},
    {"LoadedListScan",
     [](Cvyn8_rk47View& v, ScriptedDialogRunner&) {
         LoadListRows(v, {{"L-1", "0"}, {"L-2", "0"}});
         ScanId(v, "L-1");
     }},
};

class FocusWhileCounting : public CountingFixture,
                           public ::testing::WithParamInterface<StartCase> {};

TEST_P(FocusWhileCounting, RestsOnTheListUntilTheNextSampleMayBeEntered) {
    Connect();
    GetParam().start(*view, dialogs);
    ASSERT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_EQ(QApplication::focusWidget(), view->control(IDC_LIST));
    Settle();

    // A scanner's space and Enter press nothing.
    ScannerTypes(" ");
    ScannerTypes("");
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_TRUE(view->session().LinkLive());
    EXPECT_EQ(counter.TakeFrames(1, 300), QByteArray());

    ClickControl(view.get(), IDC_DONE);
    EXPECT_EQ(view->session().Run(), RunState::Closing);
    EXPECT_TRUE(IdEdit(*view)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), IdEdit(*view));
}

INSTANTIATE_TEST_SUITE_P(Each, FocusWhileCounting, ::testing::ValuesIn(kStarts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
