// The save dialog itself: the default extension follows the chosen filter,
// and an existing .xls is refused while the dialog stays open.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "app/commands/RecordFileCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "support/TestSupport.h"

namespace {

class SaveDialog : public ::testing::Test {
protected:
    void SetUp() override {
        doc.AddRecord("A7");
        files.Answer("");
        commands::OnSaveRecords(doc);  // the request the document makes
        ASSERT_EQ(files.requests.size(), 1u);
    }
    // The document's save dialog, the filter `steps` below the first chosen
    // from the keyboard and `name` typed; then Save is pressed.
    std::unique_ptr<QFileDialog> SaveAs(int steps, const QString& name) {
        auto dlg = MakeFileDialog(files.requests[0], nullptr);
        dlg->setDirectory(dir.Path(""));
        dlg->show();
        auto* types = dlg->findChild<QComboBox*>("fileTypeCombo");
        auto* edit = dlg->findChild<QLineEdit*>("fileNameEdit");
        EXPECT_TRUE(types && edit);
        for (int i = 0; types && i < steps; ++i) {
            QTest::keyClick(types, Qt::Key_Down);
        }
        if (edit) {
            edit->setText(name);
        }
        static_cast<QDialog*>(dlg.get())->accept();  // Save
        return dlg;
    }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedFileChooser files;
    Cvyn8_rk47Doc doc;
};

}  // namespace

TEST_F(SaveDialog, TheDefaultExtensionFollowsTheChosenFilter) {
    const QStringList exts = {"txt", "xls", "xlsx", "csv"};
    for (int i = 0; i < exts.size(); ++i) {
        const auto dlg = SaveAs(i, "run1");
        EXPECT_EQ(dlg->result(), QDialog::Accepted) << exts[i].toStdString();
        EXPECT_EQ(dlg->selectedFiles().value(0), dir.Path("run1." + exts[i]));
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SaveDialog, AnExistingXlsIsRefusedAndTheDialogStaysOpen) {
    dir.Write("run1.xls", "older");
    const auto dlg = SaveAs(1, "run1");
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("never written over"));
    EXPECT_EQ(dir.Read("run1.xls"), "older");
}
