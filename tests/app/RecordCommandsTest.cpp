#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/commands/RecordFileCommands.h"
#include "app/commands/RecordViewCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/SampleRecord35.h"
#include "dialogs/Viewedit35.h"
#include "support/TestSupport.h"

namespace {

class RecordCommands : public ::testing::Test {
protected:
    void AddRecords(int n, const QString& prefix = "S") {
        for (int i = 0; i < n; ++i) {
            cParam* r = doc.AddRecord(prefix + QString::number(i));
            r->SetFromRecordOrder({prefix + QString::number(i), "Wheat", QString::number(i + 1),
                                   "50", "100", "50", "L", "c"});
        }
    }
    // The texts of one column of a record list dialog.
    static QStringList Column(const CDialogBase& dlg, int listId, int column) {
        auto* list = FindControlAs<QTableWidget>(&dlg, listId);
        QStringList out;
        for (int r = 0; list && r < list->rowCount(); ++r) {
            out << list->item(r, column)->text();
        }
        return out;
    }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    ScriptedFileChooser files;
    Cvyn8_rk47Doc doc;
};

}  // namespace

TEST_F(RecordCommands, SaveWritesTheTextFileAndMarksTheRecordsSaved) {
    AddRecords(2);
    files.Answer(dir.Path("day.txt"));
    commands::OnSaveRecords(doc);

    ASSERT_EQ(files.requests.size(), 1u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.filter.startsWith("Text file (*.txt);;Excel 2003(*.xls)"));
    EXPECT_EQ(r.defaultExt, "txt");
    EXPECT_EQ(r.initialName, "Vyn8_Data");
    EXPECT_EQ(dir.Read("day.txt"), QByteArray("S0\tWheat\t1\t50\t100\t50\tL\tc\r\n"
                                              "S1\tWheat\t2\t50\t100\t50\tL\tc\r\n"));
    EXPECT_EQ(doc.m_nSaveState, RECORDS_SAVED);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecordCommands, SaveThatWritesNothingSaysSoAndLeavesTheRecordsUnsaved) {
    AddRecords(1);
    for (const QString name : {"upper.TXT", "sheet.ods", "no/such/folder/day.txt"}) {
        prompter.Clear();
        doc.m_nSaveState = RECORDS_SAVED;
        files.Answer(dir.Path(name));
        commands::OnSaveRecords(doc);
        EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED) << name.toStdString();
        EXPECT_FALSE(dir.Exists(name)) << name.toStdString();
        ASSERT_EQ(prompter.shown.size(), 1u) << name.toStdString();
        EXPECT_TRUE(prompter.shown[0].text.startsWith("The records were not saved"));
    }
}

TEST_F(RecordCommands, SaveStopsWithoutRecordsOnCancelAndWithoutExcelDriver) {
    commands::OnSaveRecords(doc);
    EXPECT_TRUE(files.requests.empty());

    AddRecords(1);
    files.Answer("");
    commands::OnSaveRecords(doc);
    EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED);
    EXPECT_TRUE(prompter.shown.empty());

    doc.m_strExcelDriver.clear();
    files.Answer(dir.Path("day.txt"));
    commands::OnSaveRecords(doc);
    EXPECT_EQ(prompter.Texts(), QStringList{"No Excel ODBC Driver found!"});
    EXPECT_FALSE(dir.Exists("day.txt"));
    EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED);
}

TEST_F(RecordCommands, SaveAsXlsHandsOverToTheWorkbookExport) {
    AddRecords(1);
    files.Answer(dir.Path("day.xls"));
    commands::OnSaveRecords(doc);
    EXPECT_FALSE(dir.Exists("day.txt"));
    EXPECT_EQ(doc.m_nSaveState, RECORDS_SAVED);
}

TEST_F(RecordCommands, OpenReadsTheFileAndShowsItNumberedFromZero) {
    dir.Write("in.txt",
              "A\tWheat\t1\t50\t9\t50\tL1\t\r\nB\tRice\t2\t40\t8\t40\tL2\tInComplete\r\n"
              "C\tOats\t3\t30\t7\t30\tL3\tx\r\n");
    EXPECT_EQ(doc.m_nOpenState, RECORDS_NOT_OPENED);
    commands::OnReviewSampleOpened(doc, nullptr);  // nothing opened yet: no dialog
    EXPECT_TRUE(dialogs.titles.isEmpty());

    QStringList numbers, comments;
    dialogs.Then([&](CDialogBase& d) {
        numbers = Column(d, SampleRecord35::IDC_RECORDLIST, 0);
        comments = Column(d, SampleRecord35::IDC_RECORDLIST, 8);
    });
    files.Answer(dir.Path("in.txt"));
    commands::OnOpenSampleRecord(doc, nullptr);
    EXPECT_EQ(files.requests.at(0).filter, "Text File(*.txt)");
    EXPECT_EQ(dialogs.titles, QStringList{"Sample Record"});
    EXPECT_EQ(numbers, (QStringList{"0", "1", "2"}));
    EXPECT_EQ(comments, (QStringList{"", "InComplete", "x"}));
    EXPECT_EQ(doc.m_nOpenState, RECORDS_OPENED);
    ASSERT_EQ(doc.RecordCount(), 3);
    EXPECT_EQ(doc.m_records[1]->m_strInventory, "8");

    commands::OnReviewSampleOpened(doc, nullptr);
    EXPECT_EQ(dialogs.titles.size(), 2);
}

TEST_F(RecordCommands, OpenKeepsTheRecordsUntilAFileWasReadAndTheOperatorAgreed) {
    AddRecords(2, "Run");
    dir.Write("in.txt", "A\tB\tC\tD\tE\tF\tG\tH\r\n");

    files.Answer("");  // cancelled
    commands::OnOpenSampleRecord(doc, nullptr);
    files.Answer(dir.Path("missing.txt"));  // cannot be read
    commands::OnOpenSampleRecord(doc, nullptr);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith("Could not open"));
    prompter.Answer(IDNO);  // unsaved records: the operator keeps them
    files.Answer(dir.Path("in.txt"));
    commands::OnOpenSampleRecord(doc, nullptr);
    ASSERT_EQ(doc.RecordCount(), 2);
    EXPECT_EQ(doc.m_records[0]->m_strIdBarcode, "Run0");
    EXPECT_EQ(doc.m_nOpenState, RECORDS_NOT_OPENED);

    // Once saved, the records are replaced without a question.
    doc.m_nSaveState = RECORDS_SAVED;
    prompter.Clear();
    files.Answer(dir.Path("in.txt"));
    commands::OnOpenSampleRecord(doc, nullptr);
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_EQ(doc.RecordCount(), 1);
    EXPECT_EQ(doc.m_records[0]->m_strIdBarcode, "A");
}

TEST_F(RecordCommands, ViewEditIsShownAgainWithAFreshListWhileItClosesWithOk) {
    commands::OnViewCurrentSample(doc, nullptr);  // no record: no dialog
    EXPECT_TRUE(dialogs.titles.isEmpty());

    AddRecords(3);
    QStringList first, second;
    // Each showing starts with the focus on Cancel, so Enter there ends the
    // loop rather than showing the dialog again.
    std::vector<QWidget*> focus, cancel;
    const auto noteFocus = [&](CDialogBase& d) {
        focus.push_back(d.focusWidget());
        cancel.push_back(d.control(IDCANCEL));
    };
    dialogs.Then([&](CDialogBase& d) {
        noteFocus(d);
        first = Column(d, Viewedit35::IDC_RECORDLIST, 0);
        AddRecords(1, "New");
        QWidget* list = d.control(Viewedit35::IDC_RECORDLIST);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    });
    dialogs.Then([&](CDialogBase& d) {
        noteFocus(d);
        second = Column(d, Viewedit35::IDC_RECORDLIST, 1);
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);  // Enter on Cancel ends it
    });
    commands::OnViewCurrentSample(doc, nullptr);
    EXPECT_EQ(dialogs.titles, (QStringList{"Dialog", "Dialog"}));
    EXPECT_EQ(first, (QStringList{"1", "2", "3"}));
    EXPECT_EQ(second, (QStringList{"S0", "S1", "S2", "New0"}));
    EXPECT_EQ(dialogs.unscripted, 0);
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0], cancel[0]);
    EXPECT_EQ(focus[1], cancel[1]);
}

TEST_F(RecordCommands, OpenSaysTheLastLineWasIncompleteAndLoadsTheRest) {
    dir.Write("cut.txt", "A\tWheat\t1\t50\t100\t50\tL\tc\r\nB\tRice\t2");
    files.Answer(dir.Path("cut.txt"));
    commands::OnOpenSampleRecord(doc, nullptr);
    EXPECT_EQ(prompter.Texts(), QStringList{"The last line of " + dir.Path("cut.txt") +
                                            " was incomplete and was not loaded."});
    ASSERT_EQ(doc.RecordCount(), 1);
    EXPECT_EQ(doc.m_records[0]->m_strComment, "c");
    EXPECT_EQ(dialogs.titles, QStringList{"Sample Record"});

    // A whole file says nothing.
    dir.Write("whole.txt", "A\tWheat\t1\t50\t100\t50\tL\tc\r\n");
    prompter.Clear();
    files.Answer(dir.Path("whole.txt"));
    commands::OnOpenSampleRecord(doc, nullptr);
    EXPECT_TRUE(prompter.shown.empty());
}
