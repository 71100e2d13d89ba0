// Export of 10,000 records to a workbook and Load File's read of a
// 10,000-row sheet through the driver.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelRecordset.h"

namespace {

constexpr int kRows = 10000;

void FillRecords(Cvyn8_rk47Doc& doc) {
    for (int i = 0; i < kRows; ++i) {
        const QString n = QString::number(i);
        cParam* p = doc.AddRecord("ID" + n);
        p->SetFromRecordOrder({"", "Wheat", QString::number(i % 20 + 1), "50", n, "1000",
                               "Shelf " + QString::number(i % 9), "comment " + n});
    }
}

void BM_ExportTenThousand(benchmark::State& state) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    int i = 0;
    for (auto _ : state) {
        const QString path = dir.filePath(QString("out%1.xls").arg(i++));
        if (!doc.ExportToExcel(path, doc.m_strExcelDriver).Saved()) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
}

void BM_ImportTenThousand(benchmark::State& state) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    const QString path = dir.filePath("in.xls");
    doc.ExportToExcel(path, doc.m_strExcelDriver);
    const QString connect =
        QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(doc.m_strExcelDriver, path);
    for (auto _ : state) {
        ExcelDatabase db;
        db.Open(connect, true);
        ExcelRecordset rs(&db);
        rs.Open("SELECT *  FROM [vyn8$]");
        qsizetype chars = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            for (int c = 0; c < rs.GetFieldCount(); ++c) {
                chars += rs.GetFieldValue(c).size();
            }
        }
        benchmark::DoNotOptimize(chars);
    }
}

}  // namespace

BENCHMARK(BM_ExportTenThousand)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ImportTenThousand)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_MAIN();
