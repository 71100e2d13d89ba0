// The Seed Weight dialog's wiring (its rules are SeedWeightDetermination's,
// tested on their own) and the Seed Weights list with its exports and report.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "data/PrintToPdf.h"
#include "data/SeedWeightFile.h"
#include "data/cParam.h"
#include "dialogs/SeedWeightDlg.h"
#include "dialogs/SeedWeightsDlg.h"
#include "support/TestSupport.h"

namespace {

class SeedWeightDialog : public ::testing::Test {
protected:
    SeedWeightDialog() {
        hooks.setUpCounts = [this](const QString& id, SeedWeightDlg::Method m, int packets) {
            setUps << id + (m == SeedWeightDlg::Method::WholeSample ? "/a" : "/b") +
                          QString::number(packets);
            return refusal;
        };
        hooks.seed = [] { return QString("Rye"); };
        hooks.records = [this] {
            std::vector<const cParam*> out;
            for (const auto& r : records) {
                out.push_back(&r);
            }
            return out;
        };
        hooks.hasBalance = [] { return false; };
    }
    void Count(const QString& id, const QString& packNo, const QString& numP) {
        cParam r(id);
        r.m_strPackNo = packNo;
        r.m_strNumPerPacket = numP;
        records.push_back(r);
    }
    void Type(SeedWeightDlg& dlg, const QString& weight) {
        FindControlAs<QLineEdit>(&dlg, SeedWeightDlg::IDC_SW_WEIGHT)->setText(weight);
        ClickControl(&dlg, SeedWeightDlg::IDC_SW_WEIGH);  // Enter, with no balance
    }
    QString Label(SeedWeightDlg& dlg, int id) { return FindControlAs<QLabel>(&dlg, id)->text(); }

    RecordingPrompter prompter;
    TempWorkDir dir;
    SeedWeightDlg::Hooks hooks;
    QStringList setUps;
    QString refusal;
    std::vector<cParam> records;
};

TEST_F(SeedWeightDialog, RefusedSetUpChangesNothing) {
    refusal = "Connect to the counter first.";
    SeedWeightDlg dlg(hooks, "L1");
    dlg.RunInitDialog();
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_SETUP);
    EXPECT_EQ(prompter.Texts(), QStringList{refusal});
    EXPECT_FALSE(dlg.SetUp());
    EXPECT_FALSE(dlg.control(SeedWeightDlg::IDC_SW_WEIGH)->isEnabled());
}

TEST_F(SeedWeightDialog, TypedWeightsFillTheReplicatesAndTheResultIsKept) {
    SeedWeightDlg dlg(hooks, "L1");
    dlg.m_strFile = dir.Path(kSeedWeightFileName);
    dlg.RunInitDialog();
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_SETUP);
    ASSERT_EQ(setUps, QStringList{"L1/b8"});
    Count("L1", "8", "100");
    dlg.Refresh();
    Type(dlg, "0");  // refused, nothing taken
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_FALSE(dlg.Determination().Slots()[0].grams.has_value());
    for (const char* w : {"4,512 g", "4.498", "4.531", "4.477", "4.505", "4.520", "4.489"}) {
        Type(dlg, w);
    }
    EXPECT_FALSE(dlg.control(SeedWeightDlg::IDC_SW_KEEP)->isEnabled());
    Type(dlg, "4.515");
    EXPECT_TRUE(Label(dlg, SeedWeightDlg::IDC_SW_FIGURES).contains("CV 0.39    limit 4.0"));
    EXPECT_EQ(Label(dlg, SeedWeightDlg::IDC_SW_RESULT), "Thousand-seed weight: 45.06 g");
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_KEEP);
    EXPECT_TRUE(Label(dlg, SeedWeightDlg::IDC_SW_RESULT).endsWith("(kept)"));
    EXPECT_TRUE(dir.Read(kSeedWeightFileName).contains("\tL1\tRye\treplicates\tno\t8\t4.5120;"));
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(SeedWeightDialog, ASeriesClosedEarlyHasItsRestCountedAfterwards) {
    SeedWeightDlg dlg(hooks, "L1");
    dlg.RunInitDialog();
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_SETUP);
    Count("L1", "4", "100");
    Count("L1", "1", "63");
    records.back().m_strComment = "InComplete";
    dlg.Refresh();
    ASSERT_EQ(dlg.Determination().Uncounted(), 3);
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_SETUP);  // "Count the Rest"
    EXPECT_EQ(setUps, (QStringList{"L1/b8", "L1/b3"}));
    Count("L1", "3", "100");
    dlg.Refresh();
    EXPECT_EQ(dlg.Determination().Uncounted(), 0);
    EXPECT_FALSE(dlg.control(SeedWeightDlg::IDC_SW_SETUP)->isEnabled());
}

TEST_F(SeedWeightDialog, BalanceFailureIsToldAndTheWeightsStay) {
    hooks.hasBalance = [] { return true; };
    int asked = 0;
    hooks.weigh = [&] { return ++asked > 0; };
    SeedWeightDlg dlg(hooks, "L1");
    dlg.RunInitDialog();
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_SETUP);
    Count("L1", "8", "100");
    dlg.Refresh();
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_WEIGH);
    EXPECT_FALSE(dlg.control(SeedWeightDlg::IDC_SW_WEIGH)->isEnabled());  // until it answers
    dlg.OnBalanceWeight(4.5);
    ClickControl(&dlg, SeedWeightDlg::IDC_SW_WEIGH);
    dlg.OnBalanceFailure("The balance did not answer within 3 s.");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(prompter.Texts(), QStringList{"The balance did not answer within 3 s."});
    EXPECT_EQ(*dlg.Determination().Slots()[0].grams, 4.5);
    EXPECT_EQ(dlg.Determination().NextToWeigh(), 1);
    EXPECT_TRUE(dlg.control(SeedWeightDlg::IDC_SW_WEIGH)->isEnabled());
}

TEST(SeedWeightsList, ShowsTheKeptLinesAndPrintsTheSelectedOneAsAReport) {
    RecordingPrompter prompter;
    TempWorkDir dir;
    const QString file = dir.Path(kSeedWeightFileName);
    dir.Write(kSeedWeightFileName,
              "2026-12-08T10:30:00\tana\tlab1\tL7\tWheat\treplicates\tno\t2\t4.5;4.6\t100;100\t\t"
              "4.5500\t0.0707\t1.55\t45.50\tB7\r\n");
    SeedWeightsDlg dlg(file);
    dlg.RunInitDialog();
    ASSERT_EQ(dlg.Rows().size(), 1u);
    EXPECT_EQ(dlg.Rows()[0].value(3), "L7");
    PrintToPdf pdf(dir.Path("report.pdf"));
    ClickControl(&dlg, SeedWeightsDlg::IDC_SWS_PRINT);
    EXPECT_EQ(pdf.opened, 1);
    EXPECT_TRUE(prompter.shown.empty());
    const QString text = RunPdfTool("pdftotext", {dir.Path("report.pdf"), "-"});
    if (text.isNull()) {
        GTEST_SKIP() << "skipped: pdftotext not installed";
    }
    EXPECT_TRUE(text.contains("Thousand-seed weight: 45.50 g")) << qPrintable(text);
    EXPECT_TRUE(text.contains("L7"));
    EXPECT_TRUE(RunPdfTool("pdfinfo", {dir.Path("report.pdf")})
                    .contains(QRegularExpression("Pages:\\s+1\\b")));
}

}  // namespace
