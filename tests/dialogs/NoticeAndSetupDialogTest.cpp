// The two notices (opened without a nested event loop) and Setup Frame.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>

#include "dialogs/DumDlg35.h"
#include "dialogs/Sample35.h"
#include "dialogs/Setupalert.h"
#include "support/TestSupport.h"

namespace {

void DeliverDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(NoticeDialog, ShowsItsTextAndClosesByOkOrByTheConsole) {
    QWidget owner;
    QPointer<CNoticeDlg> dump = new DumDlg35(&owner);
    QPointer<CNoticeDlg> ready = new Sample35(&owner);
    EXPECT_EQ(dump->windowTitle(), "Dump");
    EXPECT_EQ(dump->Text(), "Waiting for Dumping and Cleaning...");
    EXPECT_EQ(ready->windowTitle(), "Sample");
    EXPECT_EQ(ready->Text(), "Sample Ready !");

    std::vector<int> results;
    dump->OpenNotice([&](int r) { results.push_back(r); });
    ready->OpenNotice([&](int r) { results.push_back(r); });
    // Opening returns at once, with the notices on screen over their owner.
    EXPECT_TRUE(dump->isVisible());
    EXPECT_EQ(dump->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(results.empty());

    ClickControl(dump, IDOK);
    ready->CloseNotice();
    ready->CloseNotice();  // a second close is harmless and reported once
    EXPECT_EQ(results, (std::vector<int>{IDOK, IDCANCEL}));
    DeliverDeferredDeletes();
    EXPECT_TRUE(dump.isNull());
    EXPECT_TRUE(ready.isNull());
}

class SetupFrame : public ::testing::Test {
protected:
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
};

TEST_F(SetupFrame, OkStoresTheBoxesCancelKeepsTheValuesGiven) {
    Setupalert ok;
    ok.m_bSampleReadyDialog = 1;
    ok.m_bAutoDump = 1;
    ok.m_bLocationCommentRequired = 0;
    dialogs.Then([](CDialogBase& d) {
        EXPECT_TRUE(FindControlAs<QCheckBox>(&d, Setupalert::IDC_CHK_SAMPLE_READY)->isChecked());
        EXPECT_TRUE(FindControlAs<QCheckBox>(&d, Setupalert::IDC_CHK_AUTO_DUMP)->isChecked());
        EXPECT_FALSE(
            FindControlAs<QCheckBox>(&d, Setupalert::IDC_CHK_LOCATION_COMMENT)->isChecked());
        EXPECT_EQ(d.focusWidget(), FindControl(&d, IDOK));
        ClickControl(&d, Setupalert::IDC_CHK_AUTO_DUMP);
        ClickControl(&d, Setupalert::IDC_CHK_LOCATION_COMMENT);
        ClickControl(&d, IDOK);
    });
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_EQ(ok.m_bSampleReadyDialog, 1);
    EXPECT_EQ(ok.m_bAutoDump, 0);
    EXPECT_EQ(ok.m_bLocationCommentRequired, 1);

    Setupalert cancel;
    cancel.m_bAutoDump = 1;
    dialogs.Then([](CDialogBase& d) {
        ClickControl(&d, Setupalert::IDC_CHK_AUTO_DUMP);
        ClickControl(&d, IDCANCEL);
    });
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_EQ(cancel.m_bAutoDump, 1);
}

TEST_F(SetupFrame, BalanceIsNoneByDefaultAndOkKeepsAValidPortOnly) {
    StoreBalanceSettings(BalanceSettings{});
    const auto combo = [](CDialogBase& d, int id) { return FindControlAs<QComboBox>(&d, id); };
    Setupalert bad;
    dialogs.Then([&](CDialogBase& d) {
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_PORT)->currentText(), "None");
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_BAUD)->currentText(), "9600");
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_DATA_BITS)->currentText(), "8");
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_PARITY)->currentText(), "None");
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_STOP_BITS)->currentText(), "1");
        EXPECT_EQ(combo(d, Setupalert::IDC_BALANCE_PROTOCOL)->currentText(), "MT-SICS");
        combo(d, Setupalert::IDC_BALANCE_PORT)->setEditText("LPT1");
        ClickControl(&d, IDOK);  // refused: the dialog stays
        combo(d, Setupalert::IDC_BALANCE_PORT)->setEditText("com3");
        combo(d, Setupalert::IDC_BALANCE_BAUD)->setEditText("19200");
        combo(d, Setupalert::IDC_BALANCE_PARITY)->setCurrentText("Even");
        ClickControl(&d, IDOK);
    });
    EXPECT_EQ(bad.DoModal(), IDOK);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("\"LPT1\""));
    const BalanceSettings stored = StoredBalanceSettings();
    EXPECT_EQ(stored.port, "COM3");
    EXPECT_EQ(stored.baud, 19200);
    EXPECT_EQ(stored.parity, 'E');
    EXPECT_EQ(stored, bad.m_balance);
    StoreBalanceSettings(BalanceSettings{});
}

}  // namespace
