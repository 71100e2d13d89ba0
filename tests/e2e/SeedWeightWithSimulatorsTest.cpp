// The thousand-seed weight from end to end: vyn8-counter counts eight
// replicates of 100 seeds for an ID, vyn8-balance weighs them, and the
// determination is kept in vyn8_seed_weights.txt.

#include <QLineEdit>

#include "console/SeedWeightStation.h"
#include "data/BalanceSettings.h"
#include "dialogs/SeedWeightDlg.h"
#include "e2e/SimConsoleFixture.h"
#include "ledger/LedgerSettings.h"
#include "link/BalanceSim.h"

namespace {

class SeedWeightWithSimulators : public CountWithSimulator {
protected:
    void TearDown() override {
        CountWithSimulator::TearDown();
        StoreBalanceSettings(BalanceSettings{});
    }
};

TEST_F(SeedWeightWithSimulators, EightReplicatesCountedWeighedAndKept) {
    // The weights and, from python3's statistics module, their figures:
    // mean 4.505875, stdev 0.01745555580814947, CV 0.3873954738679939,
    // 10 x mean = 45.05875, given with two decimals.
    const QStringList weights = {"4.512", "4.498", "4.531", "4.477",
                                 "4.505", "4.520", "4.489", "4.515"};
    BalanceSim balance({"--weights", weights.join(','), "--unstable", "1", "--serial", "B-42"});
    ASSERT_TRUE(balance.Started());
    BalanceSettings settings;
    settings.port = balance.Link();
    StoreBalanceSettings(settings);
    StartCounter({"--fast"});

    IdEdit(*view)->setText("TSW-1");
    view->OnSeedWeight();
    SeedWeightDlg* dlg = view->SeedWeight()->Dialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(FindControlAs<QLineEdit>(dlg, SeedWeightDlg::IDC_SW_ID)->text(), "TSW-1");
    ClickControl(dlg, SeedWeightDlg::IDC_SW_SETUP);
    ASSERT_TRUE(dlg->SetUp()) << prompter.Texts().join("|").toStdString();
    // The ordinary row of a Batch Count series: 8 packets of 100.
    ASSERT_EQ(view->session().Mode(), CountMode::Batch);
    ASSERT_EQ(view->list().Count(), 1);
    EXPECT_EQ(Cell(0, SampleListModel::PackNo), "8");
    EXPECT_EQ(Cell(0, SampleListModel::NumP), "100");

    ClickControl(view.get(), IDC_START);
    ASSERT_TRUE(WaitUntil([&] { return dlg->Determination().NextToWeigh() == 0; }, 15000));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dlg->Determination().Slots()[i].seeds, 100);
        ClickControl(dlg, SeedWeightDlg::IDC_SW_WEIGH);
        ASSERT_TRUE(WaitUntil([&] { return dlg->Determination().Slots()[i].grams.has_value(); }))
            << i << prompter.Texts().join("|").toStdString();
        if (i == 3) {
            // Closed half way and opened again: the same determination.
            ClickControl(dlg, IDCANCEL);
            IdEdit(*view)->setText("OTHER");
            view->OnSeedWeight();
            ASSERT_EQ(view->SeedWeight()->Dialog(), dlg);
            EXPECT_EQ(dlg->Determination().NextToWeigh(), 4);
        }
    }
    const SeedWeightDetermination& d = dlg->Determination();
    ASSERT_TRUE(d.Complete());
    EXPECT_NEAR(d.Figures().mean, 4.505875, 1e-9);
    EXPECT_NEAR(d.Figures().s, 0.01745555580814947, 1e-9);
    EXPECT_NEAR(d.Figures().cv, 0.3873954738679939, 1e-6);
    EXPECT_EQ(d.ResultText(), "45.06 g");

    ClickControl(dlg, SeedWeightDlg::IDC_SW_KEEP);
    const QList<QByteArray> lines = dir.Read("vyn8_seed_weights.txt").split('\n');
    ASSERT_EQ(lines.size(), 2);  // one line and its end
    const QList<QByteArray> f = lines[0].trimmed().split('\t');
    ASSERT_EQ(f.size(), 16);
    EXPECT_EQ(f[1], StoredOperator().toLatin1());
    EXPECT_EQ(f.mid(3),
              (QList<QByteArray>{"TSW-1", "Wheat", "replicates", "no", "8",
                                 "4.5120;4.4980;4.5310;4.4770;4.5050;4.5200;4.4890;4.5150",
                                 "100;100;100;100;100;100;100;100", "", "4.5059", "0.0175", "0.39",
                                 "45.06", "B-42"}));
    // The records of the count are the counter's, untouched.
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_EQ(Record(0).m_strPackNo, "8");
    EXPECT_EQ(Record(0).m_strNumPerPacket, "100");
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
}

TEST_F(SeedWeightWithSimulators, WholeSampleIsCountedByTotalizeAndWeighedOnce) {
    BalanceSim balance({"--weights", "0.8315"});
    ASSERT_TRUE(balance.Started());
    BalanceSettings settings;
    settings.port = balance.Link();
    StoreBalanceSettings(settings);

    IdEdit(*view)->setText("TSW-2");
    view->OnSeedWeight();
    SeedWeightDlg* dlg = view->SeedWeight()->Dialog();
    ClickControl(dlg, SeedWeightDlg::IDC_SW_WHOLE);
    ClickControl(dlg, SeedWeightDlg::IDC_SW_SETUP);  // no counter yet: refused
    EXPECT_FALSE(dlg->SetUp());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith("Connect to the counter"));
    prompter.Clear();

    StartCounter({});
    ClickControl(dlg, SeedWeightDlg::IDC_SW_SETUP);
    ASSERT_TRUE(dlg->SetUp());
    ASSERT_EQ(view->session().Mode(), CountMode::Totalize);
    ASSERT_EQ(view->session().Run(), RunState::Counting);  // the scan starts a Totalize Count
    ASSERT_TRUE(WaitUntil([&] { return Count() >= 20; }));
    ClickControl(view.get(), IDC_DONE);
    const int seeds = view->session().LastCount().toInt();
    ASSERT_TRUE(WaitUntil([&] { return dlg->Determination().NextToWeigh() == 0; }));
    EXPECT_EQ(dlg->Determination().Slots()[0].seeds, seeds);
    ClickControl(dlg, SeedWeightDlg::IDC_SW_WEIGH);
    ASSERT_TRUE(WaitUntil([&] { return dlg->Determination().Complete(); }));
    // 1000 x W / N, four decimals under 1 g, three to 9.999 g, two to 99.99 g.
    const double tsw = 1000.0 * 0.8315 / seeds;
    const int decimals = tsw < 1 ? 4 : tsw < 10 ? 3 : tsw < 100 ? 2 : 1;
    EXPECT_EQ(dlg->Determination().ResultText(), QString::number(tsw, 'f', decimals) + " g");
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join("|").toStdString();
}

}  // namespace
