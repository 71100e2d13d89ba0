// 1,000 packet labels to PDF: 100 Batch Count series of 10 packets (one
// record each), on a 50 x 25 mm roll (1,000 pages) and on A4 sheets of
// 3 x 8 (42 pages), with and without a QR Code on each label.
//   cmake --build build --target bench_labels &&
//   ./build/bench/bench_labels --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "labels/LabelPrinting.h"

namespace {

constexpr int kSeries = 100;
constexpr int kPacketsEach = 10;

void BM_LabelsToPdf(benchmark::State& state) {
    Cvyn8_rk47Doc doc;
    for (int i = 0; i < kSeries; ++i) {
        const QString id = QStringLiteral("VAR-%1").arg(i, 6, 10, QChar('0'));
        doc.AddRecord(id)->SetFromRecordOrder({id, "Wheat", QString::number(kPacketsEach), "50",
                                               "120", "620", "Shelf 4", "field 12"});
    }
    LabelLayout layout = LabelPresets().at(static_cast<size_t>(state.range(0))).layout;
    layout.code2d = state.range(1) ? LabelCode2D::QrCode : LabelCode2D::None;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("labels.pdf");
    for (auto _ : state) {
        const auto labels = LabelsFromRecords(doc.m_records);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        SetUpLabelPrinter(printer, layout);
        if (labels.size() != kSeries * kPacketsEach ||
            !PrintLabelPages(printer, labels, layout, "2026-05-04")) {
            state.SkipWithError("the labels were not printed");
        }
    }
    state.SetItemsProcessed(state.iterations() * kSeries * kPacketsEach);
    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}
// Arguments: layout (0 = 50 x 25 mm roll, 2 = A4 sheet 3 x 8), QR Code (0/1).
BENCHMARK(BM_LabelsToPdf)
    ->ArgNames({"layout", "qr"})
    ->Args({0, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
