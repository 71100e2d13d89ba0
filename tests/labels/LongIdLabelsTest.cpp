// Long IDs and IDs with letters beyond ASCII on every label preset: no label
// stops the job, and what is printed reads back as the record.

#include <gtest/gtest.h>

#include <QPrinter>

#include "data/Cvyn8_rk47Doc.h"
#include "labels/BarcodeReader.h"
#include "labels/BarcodeSymbol.h"
#include "labels/LabelPrinting.h"
#include "support/CaseName.h"
#include "support/TestSupport.h"

namespace {

const QString kDate = QStringLiteral("2026-05-04");
const QString kLongId = QStringLiteral("ACC-2024-00017");

std::vector<PacketLabel> Labels(const QStringList& ids) {
    Cvyn8_rk47Doc doc;
    for (const QString& id : ids) {
        doc.AddRecord(id)->SetFromRecordOrder({id, "Wheat", "0", "50", "50", "50", "", ""});
    }
    return LabelsFromRecords(doc.m_records);
}

struct LongIdCase {
    int preset;
    LabelCode2D code2d;
};

class LongIdLabels : public ::testing::TestWithParam<LongIdCase> {};

TEST_P(LongIdLabels, PrintOnEveryPresetAndReadBackAsTheirRecords) {
    if (!HaveTools({"pdftoppm", "pdftotext", "zbarimg"})) {
        GTEST_SKIP() << "skipped: poppler-utils and zbar-tools are needed";
    }
    LabelLayout layout = LabelPresets().at(static_cast<size_t>(GetParam().preset)).layout;
    layout.code2d = GetParam().code2d;
    const QStringList ids{kLongId, "B-7"};
    const std::vector<PacketLabel> labels = Labels(ids);
    const LabelCheck check = CheckLabels(labels, layout, kDate);
    ASSERT_TRUE(check.CanPrint()) << check.Notes().toStdString();
    // The operator is told which labels go without their barcode.
    for (const QString& id : check.barsLeftOut) {
        EXPECT_TRUE(check.Notes().contains("The barcode of " + id)) << check.Notes().toStdString();
    }
    EXPECT_FALSE(check.barsLeftOut.contains("B-7"));

    TempWorkDir dir;
    const QString pdf = dir.Path("labels.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SetUpLabelPrinter(printer, layout);
    ASSERT_TRUE(PrintLabelPages(printer, labels, layout, kDate));
    const int per = layout.LabelsPerPage();
    for (int i = 0; i < ids.size(); ++i) {
        const QRectF area = layout.LabelRect(i % per);
        const QString png = dir.Path(QString("label%1.png").arg(i));
        RenderPage(pdf, i / per + 1, area, png);
        QStringList expected;
        if (!check.barsLeftOut.contains(ids[i])) {
            expected << "CODE-128:" + ids[i];
        }
        if (layout.code2d == LabelCode2D::QrCode) {
            expected << "QR-Code:" + ids[i] + "\tWheat\t1\t1\t50\t" + kDate + "\t\t";
        }
        QStringList read = ZbarRead(png);
        read.sort();
        EXPECT_EQ(read, expected) << "label " << i;
        EXPECT_TRUE(PdfText(pdf, i / per + 1, area).contains(ids[i])) << "label " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presets, LongIdLabels,
    ::testing::Values(LongIdCase{0, LabelCode2D::None}, LongIdCase{1, LabelCode2D::None},
                      LongIdCase{2, LabelCode2D::None}, LongIdCase{0, LabelCode2D::QrCode},
                      LongIdCase{1, LabelCode2D::QrCode}, LongIdCase{2, LabelCode2D::QrCode}),
    [](const auto& info) {
        return CaseName(info.index, std::to_string(info.param.preset) +
                                        (info.param.code2d == LabelCode2D::None ? " bars" : " qr"));
    });

TEST(LongIdLabels, RunsOfDigitsTakeCode128sDigitMode) {
    // 14 digits in pairs take half the width of 14 letters.
    const double digits = BarcodeSymbol(SymbolKind::Code128, "20240001700123").modules().width();
    const double letters = BarcodeSymbol(SymbolKind::Code128, "ACCABCDEFGHIJK").modules().width();
    EXPECT_LT(digits, letters * 0.7);
}

TEST(LongIdLabels, LettersBeyondAsciiPointToA2DCode) {
    const std::vector<PacketLabel> labels = Labels({QString::fromUtf8("Blé-7 Åsa"), "B-7"});
    LabelLayout layout = LabelPresets().at(1).layout;
    const QString notes = CheckLabels(labels, layout, kDate).Notes();
    EXPECT_TRUE(notes.contains(QString::fromUtf8("letters beyond ASCII of Blé-7 Åsa")))
        << notes.toStdString();
    EXPECT_TRUE(notes.contains("a QR Code or Data Matrix carries them exactly"));
    EXPECT_FALSE(notes.contains("B-7"));
    layout.code2d = LabelCode2D::DataMatrix;
    EXPECT_EQ(CheckLabels(labels, layout, kDate).Notes(), QString());
}

}  // namespace
