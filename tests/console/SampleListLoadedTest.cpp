// Scanning IDs against a loaded sample list.

#include <QRadioButton>

#include "console/SampleListSupport.h"

namespace {

using LoadedList = SampleListFixture;

TEST_F(LoadedList, ScanSelectsTheUncountedRowsAndTakesTheFirstMatchsMode) {
    LoadRows({{"X", "0"}, {"Y", "2"}, {"X", "4"}, {"x", "1"}, {"X", "0"}});
    view->session().Rows().SetState(0, SampleListModel::Counted);

    EnterId("X");
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(view->session().SampleRowCount(), 2);
    EXPECT_EQ(view->session().SampleRow(0), 2);
    EXPECT_EQ(view->session().SampleRow(1), 4);
    EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
    EXPECT_EQ(view->list().State(1), SampleListModel::Plain);
    // The count starts at once on the first match.
    EXPECT_EQ(view->list().State(2), SampleListModel::Current);
    EXPECT_EQ(view->list().State(3), SampleListModel::Plain);  // IDs are case-sensitive
    EXPECT_EQ(view->list().State(4), SampleListModel::Selected);
    // Row 2 carries 4 packets: Batch Count, whatever row 4 says.
    EXPECT_TRUE((view->session().Mode() == CountMode::Batch));
    EXPECT_FALSE((view->session().Mode() == CountMode::Totalize));
    EXPECT_TRUE(FindControlAs<QRadioButton>(view.get(), IDC_BATCH)->isChecked());
    EXPECT_FALSE(FindControlAs<QRadioButton>(view.get(), IDC_TOTALIZE)->isChecked());
    EXPECT_EQ(view->session().Run(), RunState::Counting);
}

TEST_F(LoadedList, AnAbsentOrCountedIdChangesNothing) {
    LoadRows({{"X", "0"}, {"Y", "2"}});
    view->session().Rows().SetState(0, SampleListModel::Counted);

    for (const QString id : {"Z", "X"}) {
        prompter.Clear();
        EnterId(id);
        EXPECT_EQ(prompter.Texts(), QStringList{"No match ID !"}) << id.toStdString();
        // The refused text is gone: the next scan is read alone.
        EXPECT_TRUE(ControlText(view.get(), IDC_ID).isEmpty());
        EXPECT_EQ(prompter.shown[0].caption, "vyn8_rk47");
        EXPECT_EQ(view->session().SampleRowCount(), 2);
        EXPECT_EQ(view->list().State(0), SampleListModel::Counted);
        EXPECT_EQ(view->list().State(1), SampleListModel::Plain);
        EXPECT_TRUE((view->session().Mode() == CountMode::Totalize));
    }
}

TEST_F(LoadedList, MoreMatchesThanOneSampleHoldsAreRefused) {
    std::vector<std::pair<QString, QString>> rows(kMaxSampleRows + 1, {"X", "1"});
    LoadRows(rows);
    EnterId("X");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text, "No match ID !");
    EXPECT_EQ(view->session().SampleRowCount(), kMaxSampleRows + 1);
    EXPECT_EQ(view->list().State(0), SampleListModel::Plain);
}

}  // namespace
