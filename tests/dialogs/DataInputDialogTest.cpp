// The Data Input dialog driven by control ID: focus, the Enter rules, Done,
// Cancel, the numeric warnings and the continue flag.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "dialogs/cBatch35.h"
#include "support/CaseName.h"
#include "support/TestSupport.h"

namespace {

constexpr int kBatch = 1;
constexpr int kTotalize = 0;

class DataInputDialog : public ::testing::Test {
protected:
    std::unique_ptr<cBatch35> Open(const QString& id, int packetEntry, int showLocation = 0) {
        auto dlg = std::make_unique<cBatch35>(nullptr, id);
        dlg->m_strBatch = "3";
        dlg->m_bPacketEntry = packetEntry;
        dlg->m_bShowLocation = showLocation;
        dlg->setResult(0);
        dlg->RunInitDialog();
        return dlg;
    }
    static QLineEdit* Edit(cBatch35& dlg, int id) { return FindControlAs<QLineEdit>(&dlg, id); }
    static void Enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

    RecordingPrompter prompter;
};

TEST_F(DataInputDialog, OpensWithTheFocusWhereTheEntryContinues) {
    auto batch = Open("A1", kBatch);
    QLineEdit* id = Edit(*batch, cBatch35::IDC_EDIT_ID);
    EXPECT_EQ(id->text(), "A1");
    EXPECT_FALSE(id->isEnabled());
    EXPECT_EQ(batch->focusWidget(), Edit(*batch, cBatch35::IDC_EDIT_PACKETS));
    EXPECT_EQ(Edit(*batch, cBatch35::IDC_EDIT_BATCH)->text(), "3");
    EXPECT_FALSE(Edit(*batch, cBatch35::IDC_EDIT_BATCH)->isEnabled());
    EXPECT_EQ(batch->m_bContinue, 1);

    auto totalize = Open("A1", kTotalize, 1);
    EXPECT_FALSE(Edit(*totalize, cBatch35::IDC_EDIT_PACKETS)->isEnabled());
    EXPECT_FALSE(Edit(*totalize, cBatch35::IDC_EDIT_SEEDS)->isEnabled());
    EXPECT_EQ(totalize->focusWidget(), Edit(*totalize, cBatch35::IDC_EDIT_LOCATION));

    auto noId = Open("", kBatch);
    EXPECT_TRUE(Edit(*noId, cBatch35::IDC_EDIT_ID)->isEnabled());
    EXPECT_EQ(noId->focusWidget(), Edit(*noId, cBatch35::IDC_EDIT_ID));
}

TEST_F(DataInputDialog, EnterWalksThroughTheEmptyNumbersThenAccepts) {
    auto dlg = Open("", kBatch);
    QLineEdit* packets = Edit(*dlg, cBatch35::IDC_EDIT_PACKETS);
    QLineEdit* seeds = Edit(*dlg, cBatch35::IDC_EDIT_SEEDS);
    Edit(*dlg, cBatch35::IDC_EDIT_ID)->setText("B7");
    Enter(Edit(*dlg, cBatch35::IDC_EDIT_ID));
    EXPECT_EQ(dlg->result(), 0);
    EXPECT_EQ(dlg->focusWidget(), packets);

    packets->setText("5");
    Enter(packets);
    EXPECT_EQ(dlg->result(), 0);
    EXPECT_EQ(dlg->focusWidget(), seeds);

    seeds->setText("20");
    // Enter on the Done button is still Enter, not Done.
    Enter(FindControl(dlg.get(), cBatch35::IDC_BTN_DONE));
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_EQ(dlg->m_bContinue, 1);
    EXPECT_EQ(dlg->m_strID, "B7");
    EXPECT_EQ(dlg->m_strPackets, "5");
    EXPECT_EQ(dlg->m_strSeedsPerPacket, "20");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(DataInputDialog, EnterInTotalizeAcceptsAndEndsTheSeries) {
    auto dlg = Open("T1", kTotalize);
    Enter(dlg->focusWidget());
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_EQ(dlg->m_bContinue, 0);
    EXPECT_EQ(dlg->m_strID, "T1");
}

TEST_F(DataInputDialog, DoneAndCancelEndTheSeries) {
    auto done = Open("A1", kBatch);
    ClickControl(done.get(), cBatch35::IDC_BTN_DONE);
    EXPECT_EQ(done->result(), IDOK);
    EXPECT_EQ(done->m_bContinue, 0);
    EXPECT_TRUE(done->m_strPackets.isEmpty());
    EXPECT_TRUE(done->m_strSeedsPerPacket.isEmpty());

    auto cancel = Open("A1", kBatch);
    Edit(*cancel, cBatch35::IDC_EDIT_PACKETS)->setText("4");
    ClickControl(cancel.get(), IDCANCEL);
    EXPECT_EQ(cancel->result(), IDCANCEL);
    EXPECT_EQ(cancel->m_bContinue, 0);
}

TEST_F(DataInputDialog, TabArrowsAndEscapeDoNothingTheCloseBoxCancels) {
    auto dlg = Open("A1", kBatch);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    QLineEdit* packets = Edit(*dlg, cBatch35::IDC_EDIT_PACKETS);
    ASSERT_EQ(QApplication::focusWidget(), packets);

    QTest::keyClick(packets, Qt::Key_Tab);
    QTest::keyClick(packets, Qt::Key_Backtab);
    QTest::keyClick(packets, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), packets);
    QTest::keyClick(packets, Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), 0);

    dlg->close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), IDCANCEL);
    EXPECT_EQ(dlg->m_bContinue, 0);
}

TEST_F(DataInputDialog, NumbersWarnOnEveryChangeButAreKept) {
    auto dlg = Open("A1", kBatch);
    QLineEdit* packets = Edit(*dlg, cBatch35::IDC_EDIT_PACKETS);
    QTest::keyClicks(packets, "5a");
    EXPECT_EQ(prompter.Texts(), QStringList{"Entry digit number !"});
    EXPECT_EQ(prompter.shown[0].caption, "vyn8_rk47");

    prompter.Clear();
    QLineEdit* seeds = Edit(*dlg, cBatch35::IDC_EDIT_SEEDS);
    seeds->setText("65535");
    EXPECT_TRUE(prompter.shown.empty());
    seeds->setText("65536");
    EXPECT_EQ(prompter.Texts(), QStringList{"Invalid Value !"});

    // Warnings only: the texts are accepted as typed.
    Enter(seeds);
    EXPECT_EQ(dlg->result(), IDOK);
    EXPECT_EQ(dlg->m_strPackets, "5a");
    EXPECT_EQ(dlg->m_strSeedsPerPacket, "65536");
}

TEST_F(DataInputDialog, LocationAndCommentsOnlyWhenAskedFor) {
    auto hidden = Open("A1", kBatch, 0);
    hidden->m_strLocation = "kept";
    for (int id : {cBatch35::IDC_EDIT_LOCATION, cBatch35::IDC_EDIT_COMMENTS,
                   cBatch35::IDC_LBL_LOCATION, cBatch35::IDC_LBL_COMMENTS}) {
        EXPECT_TRUE(FindControl(hidden.get(), id)->isHidden()) << id;
    }
    ClickControl(hidden.get(), cBatch35::IDC_BTN_DONE);
    EXPECT_TRUE(hidden->m_strLocation.isEmpty());
    EXPECT_TRUE(hidden->m_strComments.isEmpty());

    auto shown = Open("A1", kBatch, 1);
    EXPECT_FALSE(FindControl(shown.get(), cBatch35::IDC_EDIT_LOCATION)->isHidden());
    SetControlText(shown.get(), cBatch35::IDC_EDIT_LOCATION, "Shelf 4");
    SetControlText(shown.get(), cBatch35::IDC_EDIT_COMMENTS, "dry");
    SetControlText(shown.get(), cBatch35::IDC_EDIT_PACKETS, "2");
    SetControlText(shown.get(), cBatch35::IDC_EDIT_SEEDS, "10");
    Enter(Edit(*shown, cBatch35::IDC_EDIT_SEEDS));
    EXPECT_EQ(shown->m_strLocation, "Shelf 4");
    EXPECT_EQ(shown->m_strComments, "dry");
}

TEST_F(DataInputDialog, ALongScannedIdStaysWholeWhileTypingIsLimited) {
    const QString longId = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    auto passed = Open(longId, kBatch);
    ClickControl(passed.get(), cBatch35::IDC_BTN_DONE);
    EXPECT_EQ(passed->m_strID, longId);

    auto typed = Open("", kBatch);
    QTest::keyClicks(Edit(*typed, cBatch35::IDC_EDIT_ID), longId);
    EXPECT_EQ(Edit(*typed, cBatch35::IDC_EDIT_ID)->text(), longId.left(20));
}

}  // namespace

namespace {

struct RefusedEntry {
    int field;
    const char* utf8;
    const char* says;
};

class DataInputRefuses : public DataInputDialog,
                         public ::testing::WithParamInterface<RefusedEntry> {};

}  // namespace

TEST_P(DataInputRefuses, TextTheFilesAndFramesCannotCarry) {
    const RefusedEntry& p = GetParam();
    auto dlg = Open("", kBatch, 1);
    SetControlText(dlg.get(), cBatch35::IDC_EDIT_ID, "B7");
    SetControlText(dlg.get(), cBatch35::IDC_EDIT_PACKETS, "2");
    SetControlText(dlg.get(), cBatch35::IDC_EDIT_SEEDS, "10");
    QLineEdit* field = Edit(*dlg, p.field);
    field->setText(QString::fromUtf8(p.utf8));
    prompter.Clear();

    Enter(Edit(*dlg, cBatch35::IDC_EDIT_SEEDS));
    ClickControl(dlg.get(), cBatch35::IDC_BTN_DONE);
    EXPECT_EQ(dlg->result(), 0);  // neither Enter nor Done takes it
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_TRUE(prompter.shown[0].text.contains(p.says)) << prompter.shown[0].text.toStdString();
    EXPECT_EQ(dlg->focusWidget(), field);

    field->setText("ok");
    Enter(field);
    EXPECT_EQ(dlg->result(), IDOK);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DataInputRefuses,
    ::testing::Values(
        RefusedEntry{cBatch35::IDC_EDIT_LOCATION, "Shelf\t4", "cannot hold a Tab or a line break"},
        RefusedEntry{cBatch35::IDC_EDIT_COMMENTS, "dry\nlot", "cannot hold a Tab or a line break"},
        RefusedEntry{cBatch35::IDC_EDIT_COMMENTS, "sa\xc4\x9f",
                     "cannot be stored: use letters of Western European languages only"},
        RefusedEntry{cBatch35::IDC_EDIT_ID, "\xe4\xb8\xad\xe6\x96\x87ID",
                     "I.D.(Variety) \"\xe4\xb8\xad\xe6\x96\x87ID\" cannot be stored"},
        RefusedEntry{cBatch35::IDC_EDIT_LOCATION, "A\x03", "cannot be stored"},
        RefusedEntry{cBatch35::IDC_EDIT_PACKETS, "2\t", "No. of Packet cannot hold a Tab"}),
    [](const auto& info) { return CaseName(info.index, info.param.says); });
