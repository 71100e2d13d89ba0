#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "dialogs/CheckInventory35.h"
#include "dialogs/CorrectInventoryDlg.h"
#include "dialogs/Setupalert.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerSettings.h"
#include "support/TestSupport.h"

namespace {

using Kind = InventoryChangeKind;

TEST(SetupOperator, IsKeptInTheSettingsAndNeverEmpty) {
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    QSettings().remove("Ledger/Operator");
    EXPECT_EQ(StoredOperator(), Ledger::DefaultOperator());
    EXPECT_FALSE(StoredOperator().isEmpty());

    Setupalert dlg;
    dialogs.Then([&](CDialogBase& d) {
        EXPECT_EQ(ControlText(&d, Setupalert::IDC_OPERATOR), Ledger::DefaultOperator());
        SetControlText(&d, Setupalert::IDC_OPERATOR, "  ");
        ClickControl(&d, IDOK);  // refused: the dialog stays
        SetControlText(&d, Setupalert::IDC_OPERATOR, "Zoë Ång");
        ClickControl(&d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(prompter.Texts(), QStringList{"The operator needs a name."});
    EXPECT_EQ(StoredOperator(), "Zoë Ång");
    QSettings().remove("Ledger/Operator");
}

class CheckInventoryHistory : public ::testing::Test {
protected:
    void SetUp() override {
        doc.m_inventory.Set("A1", "30");
        doc.m_inventory.Set("B2", "8");
        ledger.Start(doc.m_inventory);
        ledger.Record({{0}, {{"A1", Kind::CountResult, "30", "25", 0}}});
        doc.m_inventory.Set("A1", "25");
        dlg.m_pDoc = &doc;
        dlg.m_pLedger = &ledger;
        dlg.m_strInventoryFile = QDir(dir.path()).filePath(kInventoryFileName);
        dlg.RunInitDialog();
    }
    QTableWidget* history() const {
        return FindControlAs<QTableWidget>(&dlg, CheckInventory35::IDC_HISTORY);
    }
    QString Cell(int row, int column) const { return history()->item(row, column)->text(); }

    QTemporaryDir dir;
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    Cvyn8_rk47Doc doc;
    Ledger ledger{dir.path(), {"lab-a", "ana", "r1"}};
    CheckInventory35 dlg;
};

TEST_F(CheckInventoryHistory, FoundIdShowsItsHistory) {
    SetControlText(&dlg, CheckInventory35::IDC_SEARCH, "A1");
    dlg.SearchInventory();
    ASSERT_EQ(history()->rowCount(), 2);
    EXPECT_EQ(Cell(0, CheckInventory35::kKind), "opening balance");
    EXPECT_EQ(Cell(1, CheckInventory35::kKind), "count result");
    EXPECT_EQ(Cell(1, CheckInventory35::kBefore), "30");
    EXPECT_EQ(Cell(1, CheckInventory35::kAfter), "25");
    EXPECT_EQ(Cell(1, CheckInventory35::kStation), "lab-a #3");
    EXPECT_EQ(Cell(1, CheckInventory35::kOperator), "ana");
    EXPECT_EQ(Cell(1, CheckInventory35::kSource), "run r1, record 1");
}

TEST_F(CheckInventoryHistory, CorrectWritesATransactionAndTheInventoryFile) {
    SetControlText(&dlg, CheckInventory35::IDC_SEARCH, "A1");
    dlg.SearchInventory();
    dialogs.Then([](CDialogBase& d) {
        SetControlText(&d, CorrectInventoryDlg::IDC_CORRECT_VALUE, "2x");
        SetControlText(&d, CorrectInventoryDlg::IDC_CORRECT_REASON, "recount");
        ClickControl(&d, IDOK);
        SetControlText(&d, CorrectInventoryDlg::IDC_CORRECT_VALUE, "22");
        SetControlText(&d, CorrectInventoryDlg::IDC_CORRECT_REASON, "");
        ClickControl(&d, IDOK);
        SetControlText(&d, CorrectInventoryDlg::IDC_CORRECT_REASON, "three seeds lost");
        ClickControl(&d, IDOK);
    });
    ClickControl(&dlg, CheckInventory35::IDC_CORRECT);
    EXPECT_EQ(prompter.Texts(),
              (QStringList{"Entry digit number !", "A correction needs a reason."}));
    ASSERT_EQ(history()->rowCount(), 3);
    EXPECT_EQ(Cell(2, CheckInventory35::kKind), "correction");
    EXPECT_EQ(Cell(2, CheckInventory35::kBefore), "25");
    EXPECT_EQ(Cell(2, CheckInventory35::kReason), "three seeds lost");
    EXPECT_EQ(ledger.Balance("A1"), std::optional<QString>("22"));
    InventoryMap file;
    ASSERT_TRUE(LoadInventoryFile(dlg.m_strInventoryFile, file));
    QString value;
    EXPECT_TRUE(file.Lookup("A1", &value));
    EXPECT_EQ(value, "22");
    EXPECT_EQ(
        FindControlAs<QTableWidget>(&dlg, CheckInventory35::IDC_INVENTORY)->item(0, 2)->text(),
        "22");
}

}  // namespace
