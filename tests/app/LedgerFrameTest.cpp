#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTableWidget>

#include "app/CMainFrame.h"
#include "app/LedgerHookup.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "dialogs/CheckInventory35.h"
#include "ledger/Ledger.h"
#include "support/TestSupport.h"

namespace {

// The window over a ledger in a data folder whose inventory file knows A1.
class LedgerFrame : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("SeedPara.txt", kThreeSeedSets);
        dir.Write("vyn8_inventory.txt", "A1\t30\r\n");
    }
    void Start() {
        frame = std::make_unique<CMainFrame>(&doc, &ledger);
        frame->StartAndShow();
    }
    void TearDown() override {
        if (frame) {
            frame->view()->Shutdown();
        }
    }
    QString Status() const { return frame->findChild<QLabel*>("LedgerStatus")->text(); }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    ScriptedFileChooser files;
    Cvyn8_rk47Doc doc;
    Ledger ledger{dir.Path(""), {"lab-a", "ana", "r1"}};
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(LedgerFrame, OperatorShownHistoryAndExportReachable) {
    Start();
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join('|').toStdString();
    EXPECT_EQ(Status(), "Operator: ana");
    const QList<QAction*> option = frame->menuBar()->actions().at(0)->menu()->actions();
    EXPECT_EQ(option.value(option.indexOf(frame->command(ID_FILE_SAVE)) + 1),
              frame->command(ID_EXPORT_LEDGER));

    int historyRows = -1;
    dialogs.Then([&](CDialogBase& d) {
        SetControlText(&d, CheckInventory35::IDC_SEARCH, "A1");
        static_cast<CheckInventory35&>(d).SearchInventory();
        historyRows = FindControlAs<QTableWidget>(&d, CheckInventory35::IDC_HISTORY)->rowCount();
        ClickControl(&d, IDOK);
    });
    frame->command(ID_CHECK_INVENTORY)->trigger();
    EXPECT_EQ(historyRows, 1);

    files.Answer(dir.Path("all.json"));
    frame->command(ID_EXPORT_LEDGER)->trigger();
    QFile json(dir.Path("all.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_TRUE(json.readAll().contains("\"toSeedLotDbId\":\"A1\""));
}

// Other stations' counts reach the window's inventory, its file and an open
// Check Inventory.
TEST_F(LedgerFrame, LabBalancesReachTheInventoryItsFileAndTheOpenCheck) {
    Start();
    InventoryMap lab;
    lab.Set("A1", "45");
    lab.Set("C3", "9");
    QString shown;
    dialogs.Then([&](CDialogBase& d) {
        emit frame->findChild<LedgerHookup*>()->labBalancesChanged(lab);
        shown =
            FindControlAs<QTableWidget>(&d, CheckInventory35::IDC_INVENTORY)->item(1, 2)->text();
        ClickControl(&d, IDOK);
    });
    frame->command(ID_CHECK_INVENTORY)->trigger();
    EXPECT_EQ(shown, "9");
    EXPECT_EQ(dir.Read(kInventoryFileName), "A1\t45\r\nC3\t9\r\n");
}

// The ledger cannot be opened: the operator hears once, counting goes on with
// transactions waiting, and hears once more when they are all kept.
TEST_F(LedgerFrame, UnwritableLedgerIsToldOnceAndWhenItRecovers) {
    ASSERT_TRUE(QDir().mkpath(dir.Path(kLedgerFileName)));
    Start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains(dir.Path(kLedgerFileName)));
    LedgerHookup& hookup = *frame->ledgerHookup();
    hookup.Record({{0}, {{"A1", InventoryChangeKind::CountResult, "30", "12", 0}}});
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(Status(), "Operator: ana   Ledger: 1 waiting");

    ASSERT_TRUE(QDir(dir.Path(kLedgerFileName)).removeRecursively());
    hookup.Record({{1}, {{"A1", InventoryChangeKind::CountResult, "12", "5", 1}}});
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_TRUE(prompter.shown[1].text.contains("written again"));
    EXPECT_EQ(Status(), "Operator: ana");
    const auto history = ledger.History("A1");
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[2].after, "5");
    EXPECT_EQ(history[2].sequence, 3);
}

}  // namespace
