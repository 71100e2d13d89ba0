// Option > Print Labels... as the operator meets it: the Label Layout
// dialog, the print dialog (here a PDF file) and the messages.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include "app/commands/PrintCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/PrintToPdf.h"
#include "dialogs/LabelLayoutDlg.h"
#include "labels/BarcodeReader.h"
#include "support/TestSupport.h"

namespace {

using Dlg = LabelLayoutDlg;

class PrintLabels : public ::testing::Test {
protected:
    PrintLabels() : pdf(dir.Path("labels.pdf")) {
        // The program's settings go to a file of this test.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.Path("settings"));
    }
    ~PrintLabels() override {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        QSettings::setDefaultFormat(QSettings::NativeFormat);
    }
    void Add(const QString& id, const QString& packs, const QString& numP) {
        doc.AddRecord(id)->SetFromRecordOrder({id, "Wheat", packs, numP, "", "", "", ""});
    }
    static void SetMm(CDialogBase& d, int id, double mm) {
        FindControlAs<QDoubleSpinBox>(&d, id)->setValue(mm);
    }
    static QString Notes(CDialogBase& d) {
        return FindControlAs<QLabel>(&d, Dlg::IDC_NOTES)->text();
    }
    static bool PrintEnabled(CDialogBase& d) { return d.control(IDOK)->isEnabled(); }

    TempWorkDir dir;
    RecordingPrompter prompter;
    ScriptedDialogRunner runner;
    PrintToPdf pdf;
    Cvyn8_rk47Doc doc;
};

}  // namespace

TEST_F(PrintLabels, NoRecordsGiveOneMessageAndNoDialog) {
    commands::OnPrintLabels(doc, nullptr);
    EXPECT_EQ(prompter.Texts(), QStringList{"There are no records to print labels for."});
    EXPECT_TRUE(runner.titles.isEmpty());
    EXPECT_EQ(pdf.opened, 0);
}

TEST_F(PrintLabels, TheDialogsChoicesAreRemembered) {
    Add("A-1", "2", "10");
    runner.Then([](CDialogBase& d) {
        FindControlAs<QComboBox>(&d, Dlg::IDC_PRESET)->setCurrentIndex(2);  // A4 sheet
        FindControlAs<QComboBox>(&d, Dlg::IDC_CODE2D)->setCurrentIndex(1);  // QR Code
        FindControlAs<QCheckBox>(&d, Dlg::IDC_SHOW_DATE)->setChecked(false);
        EXPECT_TRUE(FindControl(&d, Dlg::IDC_COLUMNS)->isEnabled());
        ClickControl(&d, IDOK);
    });
    commands::OnPrintLabels(doc, nullptr);
    ASSERT_EQ(pdf.opened, 1);
    ASSERT_TRUE(dir.Exists("labels.pdf"));
    EXPECT_EQ(runner.titles, QStringList{"Label Layout"});
    if (HaveTools({"pdfinfo"})) {
        EXPECT_TRUE(RunTool("pdfinfo", {dir.Path("labels.pdf")}).join('\n').contains("A4"));
    }

    LabelLayout seen;
    runner.Then([&](CDialogBase& d) {
        seen = static_cast<Dlg&>(d).m_layout;
        EXPECT_EQ(FindControlAs<QComboBox>(&d, Dlg::IDC_PRESET)->currentIndex(), 2);
        EXPECT_EQ(FindControlAs<QComboBox>(&d, Dlg::IDC_CODE2D)->currentText(), "QR Code");
        EXPECT_FALSE(FindControlAs<QCheckBox>(&d, Dlg::IDC_SHOW_DATE)->isChecked());
        ClickControl(&d, IDCANCEL);
    });
    commands::OnPrintLabels(doc, nullptr);
    EXPECT_EQ(seen.paper, LabelPaper::Sheet);
    EXPECT_EQ(pdf.opened, 1);  // cancelled: no print dialog
    EXPECT_TRUE(prompter.shown.empty());

    // A settings file edited by hand: values out of range fall back.
    QSettings s;
    s.setValue("Labels/Width", "-3");
    s.setValue("Labels/Columns", 999);
    const LabelLayout back = LoadLabelLayout(s);
    EXPECT_EQ(back.width, 50);
    EXPECT_EQ(back.columns, 1);
    EXPECT_EQ(back.height, 33.9);
}

TEST_F(PrintLabels, AnIdCode128CannotCarryPrintsAsTextOnlyAndIsNamed) {
    const QString tooLong = QString("L").repeated(70);
    Add(QString::fromUtf8("Ω-12"), "0", "500");
    Add(tooLong, "0", "400");
    Add("OK-1", "0", "300");
    QString notes;
    runner.Then([&](CDialogBase& d) {
        notes = Notes(d);
        ClickControl(&d, IDOK);
    });
    commands::OnPrintLabels(doc, nullptr);
    const QString told = TextOnlyMessage({QString::fromUtf8("Ω-12"), tooLong});
    EXPECT_TRUE(notes.contains(told)) << notes.toStdString();
    ASSERT_EQ(prompter.Texts(), QStringList{told});
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Warning);

    if (!HaveTools({"pdftoppm", "pdftotext", "zbarimg"})) {
        GTEST_SKIP() << "skipped: poppler-utils and zbar-tools are needed";
    }
    const QString file = dir.Path("labels.pdf");
    const QString expected[] = {"", "", "CODE-128:OK-1"};
    for (int page = 1; page <= 3; ++page) {
        const QString png = dir.Path(QString("p%1.png").arg(page));
        RenderPage(file, page, QRectF(), png);
        EXPECT_EQ(ZbarRead(png).join(""), expected[page - 1]) << "page " << page;
    }
    EXPECT_TRUE(PdfText(file, 1, QRectF(0, 0, 50, 25)).contains(QString::fromUtf8("Ω-12")));
    EXPECT_TRUE(PdfText(file, 2, QRectF(0, 0, 50, 25)).contains("LLLLLLLLLL"));
}

TEST_F(PrintLabels, ALabelTooSmallForItsBarcodeSaysSoAndPrintsItsText) {
    Add("VARIETY-000123", "1", "25");
    runner.Then([](CDialogBase& d) {
        auto& dlg = static_cast<Dlg&>(d);
        SetMm(d, Dlg::IDC_WIDTH, 25);
        SetMm(d, Dlg::IDC_HEIGHT, 12);
        EXPECT_EQ(FindControlAs<QComboBox>(&d, Dlg::IDC_PRESET)->currentText(), "Custom");
        EXPECT_TRUE(Notes(d).contains("The barcode of VARIETY-000123 does not fit the label"))
            << Notes(d).toStdString();
        EXPECT_TRUE(PrintEnabled(d));
        EXPECT_GT(dlg.previewPaints(), 0);

        FindControlAs<QComboBox>(&d, Dlg::IDC_PRESET)->setCurrentIndex(1);  // 57 x 32 mm
        EXPECT_EQ(Notes(d).toStdString(), "");
        EXPECT_TRUE(PrintEnabled(d));
        ClickControl(&d, IDCANCEL);
    });
    commands::OnPrintLabels(doc, nullptr);
    EXPECT_EQ(pdf.opened, 0);

    // What it prints: the ID as text, never bars too fine to read.
    LabelLayout small = LabelPresets().front().layout;
    small.width = 25;
    small.height = 12;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.Path("small.pdf"));
    SetUpLabelPrinter(printer, small);
    ASSERT_TRUE(PrintLabelPages(printer, LabelsFromRecords(doc.m_records), small, "2026-05-04"));
    if (!HaveTools({"pdftoppm", "pdftotext", "zbarimg"})) {
        GTEST_SKIP() << "skipped: poppler-utils and zbar-tools are needed";
    }
    EXPECT_TRUE(PdfText(dir.Path("small.pdf"), 1, QRectF(0, 0, 25, 12)).contains("VARIETY"));
    RenderPage(dir.Path("small.pdf"), 1, QRectF(), dir.Path("small.png"));
    EXPECT_TRUE(ZbarRead(dir.Path("small.png")).isEmpty());
}
