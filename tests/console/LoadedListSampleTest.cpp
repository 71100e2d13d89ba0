// Samples of a loaded list: closing or resetting one leaves the list loaded
// and every other ID scannable, whatever rows the closing added or removed.

#include <QComboBox>

#include "console/CountingFixture.h"
#include "data/Cvyn8_rk47Doc.h"

namespace {

using LoadedSample = CountingFixture;

QStringList Ids(const Cvyn8_rk47View& v) {
    QStringList ids;
    for (int r = 0; r < v.list().Count(); ++r) {
        ids << v.list().Cell(r, SampleListModel::Id);
    }
    return ids;
}

// The "No" column still numbers the rows 1, 2, 3, ...
bool NumberedInOrder(const Cvyn8_rk47View& v) {
    for (int r = 0; r < v.list().Count(); ++r) {
        if (v.list().Cell(r, SampleListModel::No) != QString::number(r + 1)) {
            return false;
        }
    }
    return true;
}

struct ScanAfterCase {
    const char* name;
    bool countersReset;  // the counter closes the sample, not Done
};

class LoadedClose : public CountingFixture, public ::testing::WithParamInterface<ScanAfterCase> {};

TEST_P(LoadedClose, ClosingOneTotalizeSampleKeepsTheOtherIdsScannable) {
    Connect();
    LoadListRows(*view, {{"A", "0"}, {"B", "0"}, {"C", "0"}});
    Scan("A");
    ASSERT_TRUE(CounterCounts("25", "0"));
    if (GetParam().countersReset) {
        ASSERT_TRUE(
            CounterSays("Reset", [&] { return view->session().Run() == RunState::Closing; }));
    } else {
        ClickControl(view.get(), IDC_DONE);
    }
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(doc->m_records[0]->m_strInventory, "25");
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 0);

    for (const QString id : {"B", "C"}) {
        prompter.Clear();
        Scan(id);
        EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
        EXPECT_EQ(view->list().Count(), 3) << id.toStdString();
        EXPECT_EQ(view->session().Run(), RunState::Counting);
        ClickControl(view.get(), IDC_DONE);
    }
    // Every row counted: back to a hand-entered list.
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 1);
    EXPECT_EQ(doc->RecordCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Each, LoadedClose,
                         ::testing::Values(ScanAfterCase{"Done", false},
                                           ScanAfterCase{"CountersReset", true}),
                         [](const auto& info) { return std::string(info.param.name); });

class LoadedIncomplete : public CountingFixture, public ::testing::WithParamInterface<int> {};

TEST_P(LoadedIncomplete, AScanFindsTheFirstRowAfterIncompleteRowsWereAppended) {
    const int series = GetParam();
    Connect();
    std::vector<LoadedRow> rows{{"A", "0"}};
    for (int i = 0; i < series; ++i) {
        rows.push_back({QString("B%1").arg(i), "3", "10"});
    }
    LoadListRows(*view, rows);
    for (int i = 0; i < series; ++i) {
        Scan(QString("B%1").arg(i));
        ASSERT_TRUE(CounterCounts("4", "2"));  // Done in packet 2: an incomplete row
        ClickControl(view.get(), IDC_DONE);
    }
    ASSERT_EQ(view->list().Count(), 1 + 2 * series);

    prompter.Clear();
    Scan("A");
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_EQ(view->session().SampleRow(0), 0);
    EXPECT_EQ(view->list().State(0), SampleListModel::Current);
}

INSTANTIATE_TEST_SUITE_P(Appended, LoadedIncomplete, ::testing::Values(1, 2));

struct ResetCase {
    const char* name;
    int rowsFinished;  // "BatchF" before Reset
    QStringList idsLeft;
    QString scanNext;
};

class LoadedReset : public CountingFixture, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(LoadedReset, DiscardsOnlyTheCurrentSamplesUncountedRows) {
    const ResetCase& c = GetParam();
    Connect();
    LoadListRows(*view, {{"A", "2", "10"}, {"B", "0"}, {"A", "1", "5"}, {"C", "0"}});
    Scan("A");
    ASSERT_EQ(view->session().SampleRowCount(), 2);
    for (int i = 0; i < c.rowsFinished; ++i) {
        ASSERT_TRUE(
            CounterSays("BatchF", [&] { return view->session().CurrentPacket() == i + 1; }));
    }
    ClickControl(view.get(), IDC_RESET);

    EXPECT_EQ(Ids(*view), c.idsLeft);
    EXPECT_EQ(view->list().Count(), c.idsLeft.size());
    EXPECT_TRUE(NumberedInOrder(*view));
    EXPECT_EQ(view->session().LoadedList() ? 0 : 1, 0);
    if (c.rowsFinished > 0) {
        EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    }
    prompter.Clear();
    Scan(c.scanNext);
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
    EXPECT_EQ(view->session().Run(), RunState::Counting);
    EXPECT_EQ(view->list().Count(), c.idsLeft.size());
}

const ResetCase kResets[] = {
    {"BeforeAnyRow", 0, {"B", "C"}, "C"},
    {"AfterTheFirstRow", 1, {"A", "B", "C"}, "B"},
};

INSTANTIATE_TEST_SUITE_P(Each, LoadedReset, ::testing::ValuesIn(kResets),
                         [](const auto& info) { return std::string(info.param.name); });

struct SeedCase {
    const char* name;
    bool loaded;
    int rows;
};

class SeedChange : public CountingFixture, public ::testing::WithParamInterface<SeedCase> {};

TEST_P(SeedChange, ChangesOnlyTheSampleBeingEntered) {
    const SeedCase& c = GetParam();
    Connect();
    Scan("T-1");  // an earlier sample, closed
    ClickControl(view.get(), IDC_DONE);
    if (c.loaded) {
        LoadListRows(*view, std::vector<LoadedRow>(static_cast<size_t>(c.rows), {"L", "2", "10"}));
    } else {
        std::vector<std::pair<QString, QString>> series(static_cast<size_t>(c.rows), {"1", "10"});
        EnterSeries("B-1", series);
    }
    ASSERT_EQ(view->list().Count(), 1 + c.rows);

    Combo(*view, IDC_NAME)->setCurrentIndex(1);
    view->OnSelchangeName();
    EXPECT_EQ(Cell(0, SampleListModel::Seed), "Wheat");
    // A loaded list has no sample being entered before a scan.
    const QString expected = c.loaded ? "Wheat" : "Barley";
    for (int r = 1; r <= c.rows; ++r) {
        ASSERT_EQ(Cell(r, SampleListModel::Seed), expected) << r;
    }
}

const SeedCase kSeeds[] = {
    {"HandEnteredSeries", false, 3},
    {"LoadedListOfManyRows", true, kSampleRowTable + 40},
};

INSTANTIATE_TEST_SUITE_P(Each, SeedChange, ::testing::ValuesIn(kSeeds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
