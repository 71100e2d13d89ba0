// Sample entry from the ID edit: the Data Input series, direct Totalize
// rows, "Data Same as Previous", the clearing after a save, and Delete.

#include <QPushButton>
#include <QRadioButton>

#include "console/SampleListSupport.h"

namespace {

using SampleEntry = SampleListFixture;

TEST_F(SampleEntry, BatchSeriesEnteredWithEnterThenDone) {
    Choose(IDC_BATCH);
    QStringList batchNumbers;
    dialogs.Then([&](CDialogBase& d) {
        batchNumbers << ControlText(&d, cBatch35::IDC_EDIT_BATCH);
        Numbers("5", "20")(d);
    });
    dialogs.Then([&](CDialogBase& d) {
        batchNumbers << ControlText(&d, cBatch35::IDC_EDIT_BATCH);
        Done()(d);
    });
    EnterId("A1");

    EXPECT_EQ(dialogs.titles, (QStringList{"Data Input", "Data Input"}));
    EXPECT_EQ(dialogs.unscripted, 0);
    EXPECT_EQ(batchNumbers, (QStringList{"1", "2"}));
    ASSERT_EQ(view->list().Count(), 2);
    EXPECT_EQ(view->list().Count(), 2);
    EXPECT_EQ(Row(0), (QStringList{"A1", "Wheat", "5", "20", "", ""}));
    EXPECT_EQ(Row(1), (QStringList{"A1", "Wheat", "1", "20", "", ""}));
    EXPECT_EQ(view->list().Cell(1, SampleListModel::No), "2");
    EXPECT_EQ(view->session().SampleRowCount(), 2);
    EXPECT_EQ(view->session().SampleRow(0), 0);
    EXPECT_EQ(view->session().SampleRow(1), 1);
    EXPECT_EQ(view->session().CurrentPacket(), 0);
    EXPECT_TRUE(ctl(IDC_START)->isEnabled());
    EXPECT_TRUE(ctl(IDC_DELETE)->isEnabled());
    EXPECT_TRUE(ControlText(view.get(), IDC_ID).isEmpty());
    EXPECT_TRUE(ctl(IDC_ID)->isEnabled());
}

TEST_F(SampleEntry, BatchDefaultsAndCancel) {
    Choose(IDC_BATCH);
    EnterId("");  // a scan of nothing is not a sample
    EXPECT_TRUE(dialogs.titles.isEmpty());
    // The ID cleared in the dialog and its numbers left empty: the defaults.
    dialogs.Then([](CDialogBase& d) {
        SetControlText(&d, cBatch35::IDC_EDIT_ID, "");
        ClickControl(&d, cBatch35::IDC_BTN_DONE);
    });
    EnterId("B1");
    ASSERT_EQ(view->list().Count(), 1);
    EXPECT_EQ(Row(0), (QStringList{"12345678", "Wheat", "1", "20", "", ""}));

    // Cancel adds nothing and ends the series.
    dialogs.Then(Numbers("2", "30"));
    dialogs.Then([](CDialogBase& d) { ClickControl(&d, IDCANCEL); });
    dialogs.Then(Done());
    EnterId("C3");
    EXPECT_EQ(dialogs.titles.size(), 3);  // the series ended at Cancel
    EXPECT_EQ(view->list().Count(), 2);
    EXPECT_EQ(Row(1), (QStringList{"C3", "Wheat", "2", "30", "", ""}));
    EXPECT_EQ(view->session().SampleRowCount(), 2);
}

TEST_F(SampleEntry, TotalizeAddsOneRowAtOnce) {
    Choose(IDC_TOTALIZE);
    EnterId("T9");
    EXPECT_TRUE(dialogs.titles.isEmpty());
    ASSERT_EQ(view->list().Count(), 1);
    EXPECT_EQ(Row(0), (QStringList{"T9", "Wheat", "0", "1", "", ""}));
    EXPECT_EQ(view->session().SampleRowCount(), 1);

    // An Enter with nothing scanned (say the one that confirmed a seed set
    // chosen with the keyboard) starts no sample.
    ClickControl(view.get(), IDC_DONE);
    counter.TakeFrames(1 << 20, 200);  // what Done sent
    EnterId("");
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_TRUE(counter.TakeFrames(1 << 20, 200).isEmpty());
}

TEST_F(SampleEntry, AScannedIdTheFilesCannotCarryGoesNoFurther) {
    Choose(IDC_TOTALIZE);
    for (const QString& id :
         {QString::fromUtf8("\u4e2d\u6587ID"), QString("A1\x1f"), QString::fromUtf8("\u011fA")}) {
        prompter.Clear();
        EnterId(id);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.shown[0].text.contains(
            "cannot be stored: use letters of Western European languages only"));
        EXPECT_EQ(view->list().Count(), 0);
        EXPECT_TRUE(dialogs.titles.isEmpty());
        EXPECT_EQ(ControlText(view.get(), IDC_ID), id);
    }
    // Latin-1 letters go through.
    prompter.Clear();
    EnterId(QString::fromUtf8("Ch\u00e2teau-\u00ff"));
    EXPECT_EQ(view->list().Count(), 1);
}

TEST_F(SampleEntry, SetCounterOptionsReachTheEntry) {
    Choose(IDC_TOTALIZE);
    dialogs.Then([](CDialogBase& d) {
        ClickControl(&d, 1065);
        ClickControl(&d, IDOK);
    });
    view->OnSetCounter();
    EXPECT_TRUE(view->session().Opts().locationComment);
    EXPECT_TRUE(view->session().Opts().autoDump);
    EXPECT_TRUE(view->session().Opts().sampleReadyNotice);

    // With the option, a Totalize entry goes through Data Input.
    dialogs.Then([](CDialogBase& d) {
        EXPECT_FALSE(FindControl(&d, cBatch35::IDC_EDIT_LOCATION)->isHidden());
        SetControlText(&d, cBatch35::IDC_EDIT_LOCATION, "Bay 2");
        QTest::keyClick(FindControl(&d, cBatch35::IDC_EDIT_LOCATION), Qt::Key_Return);
    });
    EnterId("T1");
    ASSERT_EQ(view->list().Count(), 1);
    EXPECT_EQ(Row(0), (QStringList{"T1", "Wheat", "0", "1", "Bay 2", ""}));

    // Cancel keeps the options; with Auto Dump on, each use flips Repeat.
    const bool repeatHidden = ctl(IDC_REPEAT)->isHidden();
    dialogs.Then([](CDialogBase& d) {
        ClickControl(&d, 1062);
        ClickControl(&d, IDCANCEL);
    });
    view->OnSetCounter();
    EXPECT_TRUE(view->session().Opts().autoDump);
    EXPECT_TRUE(view->session().Opts().locationComment);
    EXPECT_EQ(ctl(IDC_REPEAT)->isHidden(), !repeatHidden);
}

TEST_F(SampleEntry, EntryAfterASaveStartsANewList) {
    Choose(IDC_TOTALIZE);
    EnterId("OLD");
    ClickControl(view.get(), IDC_DONE);
    ASSERT_EQ(doc->RecordCount(), 1);
    doc->m_nSaveState = RECORDS_SAVED;

    EnterId("NEW");
    EXPECT_EQ(doc->RecordCount(), 0);
    EXPECT_EQ(doc->m_nSaveState, RECORDS_UNSAVED);
    ASSERT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->list().Cell(0, SampleListModel::Id), "NEW");
    EXPECT_EQ(view->list().Cell(0, SampleListModel::No), "1");
}

TEST_F(SampleEntry, DeleteRemovesTheCurrentSamplesLastRow) {
    Choose(IDC_TOTALIZE);
    EnterId("T1");  // an earlier sample, closed
    ClickControl(view.get(), IDC_DONE);
    Choose(IDC_BATCH);
    dialogs.Then(Numbers("5", "20"));
    dialogs.Then(Done());
    EnterId("A1");
    ASSERT_EQ(view->list().Count(), 3);

    SetControlText(view.get(), IDC_ID, "half typed");
    ClickControl(view.get(), IDC_DELETE);
    ClickControl(view.get(), IDC_DELETE);
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->session().SampleRowCount(), 0);
    EXPECT_TRUE(ControlText(view.get(), IDC_ID).isEmpty());
    // With no row of the current sample left, the earlier sample stays.
    view->OnDelete();
    EXPECT_EQ(view->list().Count(), 1);
    EXPECT_EQ(view->list().Cell(0, SampleListModel::Id), "T1");
}

}  // namespace
