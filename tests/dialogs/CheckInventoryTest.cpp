#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "app/commands/RecordViewCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/CheckInventory35.h"
#include "support/TestSupport.h"

namespace {

class CheckInventory : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* id : {"Z9", "A1", "B2"}) {
            doc.m_inventory.Set(id, QStringLiteral("%1-left").arg(id));
        }
        dlg.m_pDoc = &doc;
    }
    QTableWidget* list() const {
        return FindControlAs<QTableWidget>(&dlg, CheckInventory35::IDC_INVENTORY);
    }
    QLineEdit* search() const {
        return FindControlAs<QLineEdit>(&dlg, CheckInventory35::IDC_SEARCH);
    }
    void Search(const QString& text) {
        search()->setText(text);
        QTest::keyClick(search(), Qt::Key_Return);
    }
    // Rows shown white on red.
    QList<int> Highlighted() const {
        QList<int> rows;
        for (int r = 0; r < list()->rowCount(); ++r) {
            const QTableWidgetItem* item = list()->item(r, 1);
            if (item->background().color() == QColor(255, 0, 0) &&
                item->foreground().color() == QColor(255, 255, 255)) {
                rows << r;
            }
        }
        return rows;
    }

    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    CheckInventory35 dlg;
};

}  // namespace

TEST_F(CheckInventory, ListsTheInventoryInTheMapsOrder) {
    dlg.RunInitDialog();
    ASSERT_EQ(list()->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(list()->item(r, 0)->text(), QString::number(r));
    }
    EXPECT_EQ(list()->item(0, 1)->text(), "Z9");
    EXPECT_EQ(list()->item(2, 2)->text(), "B2-left");
    EXPECT_EQ(search()->maxLength(), 20);
    EXPECT_TRUE(Highlighted().isEmpty());
}

TEST_F(CheckInventory, SearchHighlightsOnlyAnExactMatch) {
    dlg.show();
    dlg.RunInitDialog();
    Search("A1");
    EXPECT_EQ(Highlighted(), QList<int>{1});
    EXPECT_EQ(dlg.result(), 0);  // Enter in the search box does not close
    EXPECT_TRUE(dlg.isVisible());
    Search("B2");
    EXPECT_EQ(Highlighted(), QList<int>{2});

    for (const QString miss : {"b2", "B", ""}) {
        prompter.Clear();
        Search(miss);
        EXPECT_EQ(prompter.Texts(), QStringList{"No item in database"}) << miss.toStdString();
        EXPECT_TRUE(Highlighted().isEmpty());
        EXPECT_EQ(dlg.m_nFoundRow, CheckInventory35::kNoRow);
    }

    QTest::keyClick(list(), Qt::Key_Return);  // Enter elsewhere presses OK
    EXPECT_EQ(dlg.result(), IDOK);
}

// Other stations' counts arrive while the dialog is open.
TEST_F(CheckInventory, BalancesFromOtherStationsShowInTheOpenList) {
    dlg.RunInitDialog();
    Search("B2");
    InventoryMap lab;
    lab.Set("A1", "77");
    lab.Set("N5", "12");
    dlg.ShowBalances(lab);
    ASSERT_EQ(list()->rowCount(), 4);
    EXPECT_EQ(list()->item(1, 2)->text(), "77");
    EXPECT_EQ(list()->item(3, 0)->text(), "3");
    EXPECT_EQ(list()->item(3, 1)->text(), "N5");
    EXPECT_EQ(list()->item(3, 2)->text(), "12");
    EXPECT_EQ(Highlighted(), QList<int>{2}) << "the row found stays marked";
}

TEST_F(CheckInventory, EmptyInventoryIsReportedAtOpening) {
    doc.m_inventory.RemoveAll();
    ScriptedDialogRunner runner;
    commands::OnCheckInventory(doc, nullptr);
    EXPECT_EQ(prompter.Texts(), QStringList{"There is no Inventory !"});
    EXPECT_EQ(runner.titles, QStringList{"Check Inventory"});
}
