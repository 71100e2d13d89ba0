#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include "app/commands/RecordFileCommands.h"
#include "console/UpDownCtrl.h"
#include "support/ConsoleFixture.h"

namespace {

bool Enabled(QWidget* root, int id) {
    QWidget* w = FindControl(root, id);
    EXPECT_NE(w, nullptr) << "control " << id;
    return w && w->isEnabled();
}

}  // namespace

using ConsoleStartup = ConsoleFixture;

TEST_F(ConsoleStartup, ShowsFirstSeedSetAndIdleControlStates) {
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(ControlText(view.get(), IDC_NAME), "Wheat");
    EXPECT_EQ(ControlText(view.get(), IDC_FEEDSPEED), "50");
    EXPECT_EQ(ControlText(view.get(), IDC_GATEHOR), "12");
    EXPECT_EQ(ControlText(view.get(), IDC_GATEVER), "10");
    EXPECT_EQ(ControlText(view.get(), IDC_SENSITIVITY), "5");
    EXPECT_EQ(ControlText(view.get(), IDC_COM), "COM1");
    EXPECT_EQ(ControlText(view.get(), IDC_BAUD), "9600");
    EXPECT_EQ(view->m_strFeedSpeed, "50");
    EXPECT_EQ(view->m_nFeedSpeed, 50);
    EXPECT_EQ(view->m_nSeedSetCount, 3);
    EXPECT_EQ(view->m_comboName->count(), 3);
    EXPECT_EQ(view->m_comboCom->count(), 9);
    EXPECT_EQ(view->m_comboBaud->itemText(0), "110");
    EXPECT_EQ(view->m_comboBaud->itemText(7), "19200");
    EXPECT_TRUE(view->m_radioTotalize->isChecked());
    EXPECT_FALSE(view->m_radioBatch->isChecked());
    EXPECT_TRUE(view->m_bTotalizeMode);
    EXPECT_FALSE(view->m_bBatchMode);

    // Only COM, Connect, Feed Speed and the "Connect Set" group are usable.
    for (int id : {IDC_COM, IDC_CONNECT, IDC_FEEDSPEED, IDC_GRP_CONNECT}) {
        EXPECT_TRUE(Enabled(view.get(), id)) << id;
    }
    for (int id :
         {IDC_BAUD,    IDC_NAME,    IDC_TOTALIZE,    IDC_BATCH,     IDC_DISCONNECT, IDC_LOADFILE,
          IDC_START,   IDC_DUMP,    IDC_RESET,       IDC_STOP,      IDC_ZERO,       IDC_REPEAT,
          IDC_DELETE,  IDC_DONE,    IDC_ID,          IDC_PACKAGENO, IDC_COUNT,      IDC_BATCHNO,
          IDC_GATEHOR, IDC_GATEVER, IDC_SENSITIVITY, IDC_SPIN,      IDC_LIST}) {
        EXPECT_FALSE(Enabled(view.get(), id)) << id;
    }
    EXPECT_TRUE(view->m_chkSameAsPrevious->isHidden());
    EXPECT_TRUE(view->m_btnRepeat->isHidden());
    EXPECT_FALSE(view->m_btnStop->isHidden());
    EXPECT_TRUE(view->m_grpDisplay->isHidden());
}

TEST_F(ConsoleStartup, ListHasNineTitledColumnsAndSpinRange) {
    const QStringList titles = {"No",       "I.D.(Variety)", "Seed",      "PackNo", "Num/P",
                                "Location", "Comment",       "Inventory", "Sum"};
    ASSERT_EQ(view->list().columnCount(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(view->list().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                  titles[c]);
    }
    EXPECT_EQ(view->m_listSamples->columnWidth(1), 110);
    EXPECT_EQ(view->m_spinFeedSpeed->Lower(), 2);
    EXPECT_EQ(view->m_spinFeedSpeed->Upper(), 200);
    EXPECT_EQ(view->m_spinFeedSpeed->Pos(), 50);
}

TEST_F(ConsoleStartup, EveryControlCarriesAnAccessibleName) {
    for (int id :
         {IDC_LIST,      IDC_COM,        IDC_BAUD,       IDC_NAME,    IDC_TOTALIZE, IDC_BATCH,
          IDC_CONNECT,   IDC_DISCONNECT, IDC_LOADFILE,   IDC_START,   IDC_DUMP,     IDC_RESET,
          IDC_STOP,      IDC_ZERO,       IDC_REPEAT,     IDC_DELETE,  IDC_DONE,     IDC_SAMEASPREV,
          IDC_ID,        IDC_PACKAGENO,  IDC_COUNT,      IDC_GATEHOR, IDC_GATEVER,  IDC_BATCHNO,
          IDC_FEEDSPEED, IDC_SPIN,       IDC_SENSITIVITY}) {
        QWidget* w = ctl(id);
        ASSERT_NE(w, nullptr) << id;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << id;
    }
    EXPECT_EQ(ctl(IDC_ID)->accessibleName(), "I.D.(Variety)");
    EXPECT_EQ(ctl(IDC_FEEDSPEED)->accessibleName(), "1.Feed Speed");
}

TEST_F(ConsoleStartup, FeedSpeedIsValidatedTenToTwoHundred) {
    SetControlText(view.get(), IDC_FEEDSPEED, "9");
    EXPECT_FALSE(view->ExchangeFeedSpeed());
    EXPECT_EQ(prompter.Count("Please enter an integer between 10 and 200."), 1);
    SetControlText(view.get(), IDC_FEEDSPEED, "200");
    EXPECT_TRUE(view->ExchangeFeedSpeed());
    EXPECT_EQ(view->m_nFeedSpeed, 200);
    SetControlText(view.get(), IDC_FEEDSPEED, "abc");
    EXPECT_FALSE(view->ExchangeFeedSpeed());
}

// Closing the window while the Feed Speed edit holds the focus: the edit
// loses it while QWidget's destructor deletes it, and no handler of the
// already destroyed view may run (it would warn about the value below).
TEST_F(ConsoleStartup, DestroyedWhileFeedSpeedHasTheFocusRunsNoHandler) {
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QWidget* edit = ctl(IDC_FEEDSPEED);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    SetControlText(view.get(), IDC_FEEDSPEED, "5");
    view->Shutdown();
    prompter.Clear();
    view.reset();
    EXPECT_TRUE(prompter.shown.empty()) << prompter.Texts().join(" | ").toStdString();
}

TEST_F(ConsoleStartup, ShutdownWritesInventoryAndUnsavedRecords) {
    TearDown();
    dir.Write("vyn8_inventory.txt", "A1\t5\r\n");
    StartConsole(kThreeSeedSets);
    doc->m_inventory.Set("B2", "7");
    cParam* r = doc->AddRecord("B2");
    r->m_strSeed = "Wheat";
    view->Shutdown();
    EXPECT_EQ(dir.Read("vyn8_inventory.txt"), QByteArray("A1\t5\r\nB2\t7\r\n"));
    EXPECT_EQ(dir.Read("VYN8_Default.txt"), QByteArray("B2\tWheat\t\t\t\t\t\t\r\n"));
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_TRUE(doc->m_inventory.IsEmpty());
}

TEST_F(ConsoleStartup, SavedRecordsAreNotWrittenAtShutdown) {
    doc->AddRecord("A1");
    doc->m_nSaveState = RECORDS_SAVED;
    view->Shutdown();
    EXPECT_FALSE(dir.Exists("VYN8_Default.txt"));
    EXPECT_TRUE(dir.Exists("vyn8_inventory.txt"));
}

TEST_F(ConsoleStartup, RecordsReadFromAFileAreNotUnsavedWork) {
    // VYN8_Default.txt still holds an earlier run's unsaved records.
    const QByteArray earlier = "E1\tWheat\t1\t50\t\t\t\t\r\n";
    dir.Write("VYN8_Default.txt", earlier);
    dir.Write("day.txt", "A\tWheat\t1\t50\t100\t50\tL\tc\r\n");
    files.Answer(dir.Path("day.txt"));
    commands::OnOpenSampleRecord(*doc, nullptr);
    ASSERT_EQ(doc->RecordCount(), 1);
    EXPECT_FALSE(doc->HoldsUnsavedWork());
    view->Shutdown();
    EXPECT_EQ(dir.Read("VYN8_Default.txt"), earlier);
}

TEST_F(ConsoleStartup, UnwritableShutdownFilesAreReported) {
    doc->AddRecord("A1");
    view->m_strExeFolder = dir.Path("missing-folder/");
    view->Shutdown();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_TRUE(prompter.shown[0].text.contains("VYN8_Default.txt"));
    EXPECT_TRUE(prompter.shown[1].text.contains("vyn8_inventory.txt"));
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
}

class ConsoleWithoutSeeds : public ConsoleFixture {
protected:
    void SetUp() override {
        dir.Write("vyn8_inventory.txt", "A1\t5\r\nB2\t9\r\n");
        StartConsole(QByteArray());
    }
};

TEST_F(ConsoleWithoutSeeds, ReportsOnceAndLeavesInventoryUntouched) {
    EXPECT_EQ(prompter.Texts(), QStringList{"Missing SeedPara.txt file"});
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(view->list().columnCount(), 0);
    EXPECT_TRUE(doc->m_inventory.IsEmpty());
    view->Shutdown();
    EXPECT_EQ(dir.Read("vyn8_inventory.txt"), QByteArray("A1\t5\r\nB2\t9\r\n"));
}

TEST_F(ConsoleWithoutSeeds, WrongLinesAreNamedOnceAndTheirSetsNeverOffered) {
    prompter.Clear();
    TearDown();
    StartConsole("Wheat 50 5 10 12 \r\nOat 5x 4 8 9\r\nRye 60\r\nRice 45 4 8 9\t");
    ASSERT_EQ(prompter.shown.size(), 1u) << prompter.Texts().join('|').toStdString();
    const QString text = prompter.shown[0].text;
    EXPECT_TRUE(text.contains("SeedPara.txt"));
    EXPECT_TRUE(text.contains("line 2: the feed speed \"5x\" is not a whole number"));
    EXPECT_TRUE(text.contains("line 3: it has 2 fields"));
    EXPECT_FALSE(text.contains("line 1") || text.contains("line 4"));
    EXPECT_EQ(view->m_nSeedSetCount, 2);
    EXPECT_EQ(ControlText(view.get(), IDC_GATEHOR), "12");
    auto* names = FindControlAs<QComboBox>(view.get(), IDC_NAME);
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(1), "Rice");

    // A file of wrong lines only: no set, and no second message.
    prompter.Clear();
    TearDown();
    StartConsole("Wheat 50 5 10");
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("line 1: it has 4 fields"));
    EXPECT_EQ(view->m_nSeedSetCount, 0);
}

class ConsoleAfterAnUnsavedRun : public ConsoleFixture {
protected:
    void SetUp() override {
        dir.Write("VYN8_Default.txt", kEarlier);
        StartConsole(kThreeSeedSets);
    }
    const QByteArray kEarlier = "A1\tWheat\t5\t20\t\t\t37\t137\r\n";
};

TEST_F(ConsoleAfterAnUnsavedRun, KeepsTheEarlierRecordsAndSaysWhereOnce) {
    const QStringList kept = QDir(dir.Path(".")).entryList({"VYN8_Default-*.txt"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(QRegularExpression("^VYN8_Default-\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.txt$")
                    .match(kept[0])
                    .hasMatch())
        << kept[0].toStdString();
    EXPECT_EQ(dir.Read(kept[0]), kEarlier);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains(kept[0])) << prompter.shown[0].text.toStdString();
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Information);

    // This run's first record replaces VYN8_Default.txt, not the kept file.
    doc->AddRecord("B2");
    view->KeepUnsavedWorkSafe();
    EXPECT_TRUE(dir.Read("VYN8_Default.txt").startsWith("B2\t"));
    EXPECT_EQ(dir.Read(kept[0]), kEarlier);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

using ConsoleUiState = ConsoleFixture;

TEST_F(ConsoleUiState, LinkSettingsLockAndUnlock) {
    view->LockLinkSettings();
    EXPECT_FALSE(ctl(IDC_GRP_CONNECT)->isEnabled());
    EXPECT_FALSE(ctl(IDC_COM)->isEnabled());
    EXPECT_TRUE(ctl(IDC_LOADFILE)->isEnabled());
    view->UnlockLinkSettings();
    EXPECT_TRUE(ctl(IDC_GRP_CONNECT)->isEnabled());
    EXPECT_TRUE(ctl(IDC_COM)->isEnabled());
    EXPECT_FALSE(ctl(IDC_BAUD)->isEnabled());
    EXPECT_FALSE(ctl(IDC_LOADFILE)->isEnabled());
}

TEST_F(ConsoleUiState, UnlockSelectionDependsOnModeAndRows) {
    view->UnlockSelection();  // Totalize Count, not connected: no ID entry
    EXPECT_FALSE(ctl(IDC_ID)->isEnabled());
    EXPECT_FALSE(ctl(IDC_DELETE)->isEnabled());
    EXPECT_TRUE(ctl(IDC_LIST)->isEnabled());
    EXPECT_TRUE(ctl(IDC_SPIN)->isEnabled());
    EXPECT_TRUE(view->m_chkSameAsPrevious->isHidden());

    view->m_bBatchMode = true;
    view->m_bTotalizeMode = false;
    view->m_nRowCount = 2;
    view->m_chkSameAsPrevious->setChecked(true);
    view->UnlockSelection();
    EXPECT_TRUE(ctl(IDC_DELETE)->isEnabled());
    EXPECT_FALSE(view->m_chkSameAsPrevious->isHidden());
    EXPECT_FALSE(view->m_chkSameAsPrevious->isChecked());
    EXPECT_TRUE(view->m_editID->text().isEmpty());

    view->LockSelection();
    for (int id : {IDC_GRP_COUNTMODE, IDC_NAME, IDC_TOTALIZE, IDC_BATCH, IDC_ID, IDC_DELETE,
                   IDC_LIST, IDC_SPIN}) {
        EXPECT_FALSE(ctl(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(view->m_chkSameAsPrevious->isHidden());
    EXPECT_EQ(view->IsSameAsPreviousChecked(), 0);
}

TEST_F(ConsoleUiState, RunControlsFollowTheModeAndAutoDump) {
    view->m_bBatchMode = true;
    view->m_bTotalizeMode = false;
    view->m_bOptAutoDump = 0;
    view->m_btnStop->hide();
    view->UnlockRun();
    EXPECT_TRUE(ctl(IDC_PACKAGENO)->isEnabled());
    EXPECT_FALSE(view->m_btnStop->isHidden());
    EXPECT_FALSE(view->m_btnRepeat->isHidden());
    for (int id : {IDC_COUNT, IDC_DUMP, IDC_ZERO, IDC_RESET, IDC_START, IDC_DONE}) {
        EXPECT_TRUE(ctl(id)->isEnabled()) << id;
    }
    view->LockRun();
    EXPECT_TRUE(view->m_btnRepeat->isHidden());
    EXPECT_FALSE(view->m_btnStop->isHidden());
    for (int id : {IDC_GRP_DISPLAY, IDC_COUNT, IDC_PACKAGENO, IDC_BATCHNO, IDC_START, IDC_STOP,
                   IDC_ZERO, IDC_DUMP, IDC_REPEAT, IDC_RESET, IDC_DONE}) {
        EXPECT_FALSE(ctl(id)->isEnabled()) << id;
    }
    // Totalize Count: no packet number, Repeat hidden even with Auto Dump off.
    view->m_bBatchMode = false;
    view->m_bTotalizeMode = true;
    view->UnlockRun();
    EXPECT_FALSE(ctl(IDC_PACKAGENO)->isEnabled());
    EXPECT_TRUE(view->m_btnRepeat->isHidden());
}
