#include <gtest/gtest.h>

#include <QFile>

#include "app/commands/PrintCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/PrintLayout.h"
#include "data/PrintToPdf.h"
#include "dialogs/Viewedit35.h"
#include "support/TestSupport.h"

using namespace print_layout;

namespace {

void AddRecords(Cvyn8_rk47Doc& doc, int n) {
    const int first = static_cast<int>(doc.RecordCount());
    for (int i = first; i < first + n; ++i) {
        cParam* r = doc.AddRecord(QStringLiteral("S%1").arg(i));
        r->SetFromRecordOrder({r->m_strIdBarcode, "Wheat", QString::number(i + 1), "50", "900",
                               "50", "Shelf4", QStringLiteral("note%1").arg(i)});
    }
}

// The texts of a laid-out page whose rectangle starts at `top`.
QStringList RowAt(const Page& page, int top) {
    QStringList out;
    for (const auto& t : page.texts) {
        if (t.rect.top() == top && t.rect.left() >= kLeft) {
            out << t.text;
        }
    }
    return out;
}

}  // namespace

TEST(PrintLayout, ColumnsStartAtTheirFixedEdgesAndReachTheRightEdge) {
    const auto lefts = ColumnLefts(ColumnTitles("Barcode"));
    EXPECT_EQ(lefts,
              (std::array<int, kColumns>{400, 570, 1390, 1970, 2370, 2770, 3350, 3630, 4210}));
    Cvyn8_rk47Doc doc;
    AddRecords(doc, 3);
    const auto pages = LayOutTable(doc.m_records, "BarCode", kUnitsAcross, 6600);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].rule, QLine(400, 400, kUnitsAcross, 400));
    EXPECT_EQ(RowAt(pages[0], 500)[1], "BarCode");
    const QStringList third = RowAt(pages[0], 800);
    EXPECT_EQ(third, (QStringList{"2", "S2", "Wheat", "3", "50", "900", "50", "Shelf4", "note2"}));
    // Each cell ends before the next column; the last reaches the right edge.
    for (size_t i = 1; i < pages[0].texts.size(); ++i) {
        const auto& t = pages[0].texts[i];
        const int column = static_cast<int>((i - 1) % kColumns);
        const int right = column + 1 < kColumns ? lefts[column + 1] : kUnitsAcross + 1;
        EXPECT_EQ(t.rect.left(), lefts[column]);
        EXPECT_LT(t.rect.right(), right) << t.text.toStdString();
    }
    EXPECT_EQ(pages[0].texts.back().rect.right() + 1, kUnitsAcross);
}

TEST(Printing, ATextWiderThanItsColumnIsCutWithAnEllipsisOnOneLine) {
    TempWorkDir dir;
    RecordingPrompter prompter;
    PrintToPdf pdf(dir.Path("out.pdf"));
    Cvyn8_rk47Doc doc;
    const QString barcode = "BARCODE0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    cParam* r = doc.AddRecord(barcode);
    r->SetFromRecordOrder({barcode, "Wheat", "7", "50", "900", "350", "Shelf4", "two\nlines"});
    commands::OnPrintRecords(doc);
    const QString text = PdfPageText(dir.Path("out.pdf"), 1);
    if (text.isNull()) {
        GTEST_SKIP() << "skipped: poppler's pdftotext is not installed";
    }
    const QString row = text.split('\n').filter("Wheat").value(0);
    EXPECT_TRUE(row.contains(QString::fromUtf8("BARCODE0123"))) << row.toStdString();
    EXPECT_TRUE(row.contains(QChar(0x2026))) << row.toStdString();
    EXPECT_FALSE(text.contains("XYZ")) << text.toStdString();
    // The following cells are whole, and the record stays on one line.
    for (const char* cell : {"Wheat", "900", "350", "Shelf4", "two lines"}) {
        EXPECT_TRUE(row.contains(cell)) << cell << " in " << row.toStdString();
    }
}

TEST(PrintLayout, LongTablesContinueOnPagesThatRepeatTheTitles) {
    Cvyn8_rk47Doc doc;
    EXPECT_EQ(LayOutTable(doc.m_records, "Barcode", kUnitsAcross, 6600)[0].texts.size(),
              1u + kColumns);  // no record: title and column titles only

    AddRecords(doc, 130);
    const auto pages = LayOutTable(doc.m_records, "Barcode", kUnitsAcross, 6600);
    ASSERT_EQ(pages.size(), 3u);  // 60 + 60 + 10 rows
    for (const auto& page : pages) {
        EXPECT_EQ(page.texts[0].text, "VYN8_1 Data");
        EXPECT_EQ(RowAt(page, 500)[0], "No");
    }
    EXPECT_EQ(RowAt(pages[0], 600 + 59 * 100)[0], "59");
    EXPECT_EQ(RowAt(pages[1], 600)[0], "60");
    EXPECT_EQ(RowAt(pages[2], 600 + 9 * 100)[1], "S129");
    EXPECT_TRUE(RowAt(pages[2], 600 + 10 * 100).isEmpty());
}

TEST(Printing, PrintsEveryRecordToPdfWithTheCommentColumn) {
    TempWorkDir dir;
    RecordingPrompter prompter;
    PrintToPdf pdf(dir.Path("out.pdf"));
    Cvyn8_rk47Doc doc;
    AddRecords(doc, 3);
    commands::OnPrintRecords(doc);
    ASSERT_TRUE(QFile(dir.Path("out.pdf")).size() > 0);
    if (PdfPages(dir.Path("out.pdf")) < 0) {
        GTEST_SKIP() << "skipped: poppler's pdfinfo is not installed";
    }
    EXPECT_EQ(PdfPages(dir.Path("out.pdf")), 1);
    const QString text = PdfPageText(dir.Path("out.pdf"), 1);
    for (const char* word : {"VYN8_1 Data", "Barcode", "Comm", "S2", "note2", "Shelf4"}) {
        EXPECT_TRUE(text.contains(word)) << word;
    }

    AddRecords(doc, 127);
    commands::OnPrintRecords(doc);
    const int pages = PdfPages(dir.Path("out.pdf"));
    EXPECT_GE(pages, 2);
    QString all;
    for (int p = 1; p <= pages; ++p) {
        const QString page = PdfPageText(dir.Path("out.pdf"), p);
        EXPECT_TRUE(page.contains("VYN8_1 Data") && page.contains("Comm")) << "page " << p;
        all += page;
    }
    EXPECT_TRUE(all.contains("S129") && all.contains("note129"));
    EXPECT_TRUE(prompter.shown.empty());

    // Keep a sample page when asked (for the README's picture).
    const QString keep = qEnvironmentVariable("VYN8_KEEP_PRINT_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(dir.Path("out.pdf"), keep);
    }
}

TEST(Printing, ViewEditPrintsBarCodeAndACancelledDialogPrintsNothing) {
    TempWorkDir dir;
    RecordingPrompter prompter;
    PrintToPdf pdf(dir.Path("out.pdf"));
    Cvyn8_rk47Doc doc;
    AddRecords(doc, 1);
    Viewedit35 dlg;
    dlg.m_pDoc = &doc;
    dlg.RunInitDialog();

    pdf.cancel = true;
    ClickControl(&dlg, Viewedit35::IDC_PRINT);
    EXPECT_EQ(pdf.opened, 1);
    EXPECT_FALSE(dir.Exists("out.pdf"));

    pdf.cancel = false;
    ClickControl(&dlg, Viewedit35::IDC_PRINT);
    ASSERT_TRUE(dir.Exists("out.pdf"));
    const QString text = PdfPageText(dir.Path("out.pdf"), 1);
    if (text.isNull()) {
        GTEST_SKIP() << "skipped: poppler's pdftotext is not installed";
    }
    EXPECT_TRUE(text.contains("BarCode"));
}
