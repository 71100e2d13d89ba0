// Labels printed to PDF and read back by independent barcode readers.

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include "data/Cvyn8_rk47Doc.h"
#include "labels/BarcodeReader.h"
#include "labels/LabelPrinting.h"
#include "support/TestSupport.h"

namespace {

const QString kDate = QStringLiteral("2026-05-04");

// A two-row Batch Count series (2 x 10 and 1 x 5, dumped with 37 left) and
// one Totalize Count sample, as the console records them.
void AddRun(Cvyn8_rk47Doc& doc) {
    const std::array<QString, 8> rows[] = {
        {"B-7", "Wheat", "2", "10", "", "", "Shelf 4", ""},
        {"B-7", "Wheat", "1", "5", "37", "62", "Shelf 4", ""},
        {"T-100", "Barley", "0", "1234", "1234", "1234", "", "dry"},
    };
    for (const auto& f : rows) {
        doc.AddRecord(f[0])->SetFromRecordOrder(f);
    }
}

LabelLayout Layout(int preset, LabelCode2D code2d = LabelCode2D::None) {
    LabelLayout l = LabelPresets().at(static_cast<size_t>(preset)).layout;
    l.code2d = code2d;
    return l;
}

bool PrintToFile(const std::vector<PacketLabel>& labels, const LabelLayout& layout,
                 const QString& pdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SetUpLabelPrinter(printer, layout);
    return PrintLabelPages(printer, labels, layout, kDate);
}

struct Label {
    int page;     // from 1
    QRectF area;  // on its page, mm
};

Label Place(const LabelLayout& layout, int i) {
    const int per = layout.LabelsPerPage();
    return {i / per + 1, layout.LabelRect(i % per)};
}

class LabelPdf : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        if (!HaveTools({"pdftoppm", "pdftotext", "pdfinfo", "zbarimg"})) {
            GTEST_SKIP() << "skipped: poppler-utils and zbar-tools are needed";
        }
    }
    TempWorkDir dir;
};

}  // namespace

// Every label of the run, on a roll (one a page) and on an A4 sheet (rows
// across), carries its record's ID as a Code 128 that a reader decodes, in
// the records' order, with the packet numbered across the series.
TEST_P(LabelPdf, EveryPacketGetsALabelWhoseBarcodeReadsBack) {
    Cvyn8_rk47Doc doc;
    AddRun(doc);
    const auto labels = LabelsFromRecords(doc.m_records);
    const LabelLayout layout = Layout(GetParam());
    ASSERT_TRUE(CheckLabels(labels, layout, kDate).CanPrint());
    const QString pdf = dir.Path("labels.pdf");
    ASSERT_TRUE(PrintToFile(labels, layout, pdf));

    const bool roll = layout.paper == LabelPaper::Roll;
    const QString info = RunTool("pdfinfo", {pdf}).join('\n');
    EXPECT_TRUE(info.contains(QRegularExpression(roll ? "Pages:\\s+4\\b" : "Pages:\\s+1\\b")))
        << info.toStdString();

    const QStringList ids{"B-7", "B-7", "B-7", "T-100"};
    const QStringList packets{"Packet 1 of 3", "Packet 2 of 3", "Packet 3 of 3", "Packet 1 of 1"};
    const QStringList seeds{"10 seeds", "10 seeds", "5 seeds", "1234 seeds"};
    for (int i = 0; i < 4; ++i) {
        const Label at = Place(layout, i);
        const QString png = dir.Path(QString("label%1.png").arg(i));
        RenderPage(pdf, at.page, at.area, png);
        EXPECT_EQ(ZbarRead(png), QStringList{"CODE-128:" + ids[i]}) << "label " << i;
        const QString text = PdfText(pdf, at.page, at.area);
        for (const QString& want : {ids[i], packets[i], seeds[i], kDate}) {
            EXPECT_TRUE(text.contains(want)) << "label " << i << ": " << want.toStdString();
        }
        EXPECT_EQ(text.contains("Shelf 4"), i < 3) << "label " << i;
        EXPECT_EQ(text.contains("dry"), i == 3) << "label " << i;
    }
    if (!roll) {
        // The sheet's other 20 places stay blank.
        const QString png = dir.Path("rest.png");
        RenderPage(pdf, 1, layout.LabelRect(4).united(layout.LabelRect(23)), png);
        EXPECT_TRUE(ZbarRead(png).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(RollAndSheet, LabelPdf, ::testing::Values(0, 2),
                         [](const auto& info) { return info.param == 0 ? "Roll" : "Sheet"; });

// The 2D code holds the label's fields, TAB-separated, in a fixed order.
TEST_F(LabelPdf, TheTwoDimensionalCodeCarriesTheFields) {
    Cvyn8_rk47Doc doc;
    AddRun(doc);
    const auto labels = LabelsFromRecords(doc.m_records);
    const QStringList want{"B-7\tWheat\t2\t3\t10\t2026-05-04\tShelf 4\t",
                           "T-100\tBarley\t1\t1\t1234\t2026-05-04\t\tdry"};
    const int sample[] = {1, 3};
    for (LabelCode2D code : {LabelCode2D::QrCode, LabelCode2D::DataMatrix}) {
        const bool qr = code == LabelCode2D::QrCode;
        if (!qr && !HaveTools({"dmtxread"})) {
            std::cout << "skipped the Data Matrix: dmtxread (dmtx-utils) is not installed\n";
            continue;
        }
        const LabelLayout layout = Layout(1, code);  // 57 x 32 mm roll
        ASSERT_TRUE(CheckLabels(labels, layout, kDate).CanPrint());
        const QString pdf = dir.Path(qr ? "qr.pdf" : "dm.pdf");
        ASSERT_TRUE(PrintToFile(labels, layout, pdf));
        for (int k = 0; k < 2; ++k) {
            const QString png = dir.Path(QString("%1-%2.png").arg(qr).arg(k));
            RenderPage(pdf, sample[k] + 1, QRectF(), png);
            if (qr) {
                QStringList read = ZbarRead(png);
                read.sort();
                EXPECT_EQ(read, (QStringList{"CODE-128:" + want[k].section('\t', 0, 0),
                                             "QR-Code:" + want[k]}));
            } else {
                EXPECT_EQ(DmtxRead(png), QStringList{want[k]});
            }
        }
    }
}

// A sheet fills its places along the rows, then goes on to a new page.
TEST_F(LabelPdf, ALongRunFillsTheSheetAndGoesOnToTheNextPage) {
    Cvyn8_rk47Doc doc;
    for (int s = 0; s < 5; ++s) {
        const QString id = QString("VAR-%1").arg(2601 + s);
        doc.AddRecord(id)->SetFromRecordOrder({id, "Wheat", "4", "50", "", "", "Shelf 4", ""});
        doc.AddRecord(id)->SetFromRecordOrder(
            {id, "Wheat", "2", "25", "13", "263", "Shelf 4", s == 2 ? "field 12" : ""});
    }
    const auto labels = LabelsFromRecords(doc.m_records);
    ASSERT_EQ(labels.size(), 30u);
    const LabelLayout layout = Layout(2, LabelCode2D::QrCode);
    const QString pdf = dir.Path("sheet.pdf");
    ASSERT_TRUE(PrintToFile(labels, layout, pdf));
    EXPECT_TRUE(
        RunTool("pdfinfo", {pdf}).join('\n').contains(QRegularExpression("Pages:\\s+2\\b")));

    // Labels 0 and 23 open and close page 1; 24 opens page 2 at the first place.
    const std::pair<int, QString> sample[] = {{0, "VAR-2601\tWheat\t1\t6\t50"},
                                              {23, "VAR-2604\tWheat\t6\t6\t25"},
                                              {24, "VAR-2605\tWheat\t1\t6\t50"},
                                              {29, "VAR-2605\tWheat\t6\t6\t25"}};
    for (const auto& [i, fields] : sample) {
        const Label at = Place(layout, i);
        const QString png = dir.Path(QString("cell%1.png").arg(i));
        RenderPage(pdf, at.page, at.area, png);
        QStringList read = ZbarRead(png);
        read.sort();
        ASSERT_EQ(read.size(), 2) << "label " << i;
        EXPECT_EQ(read[0], "CODE-128:" + fields.section('\t', 0, 0)) << "label " << i;
        EXPECT_TRUE(read[1].startsWith("QR-Code:" + fields + "\t" + kDate)) << "label " << i;
    }

    // Kept when asked, for the README's picture.
    const QString keep = qEnvironmentVariable("VYN8_KEEP_LABEL_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(pdf, keep);
    }
}
