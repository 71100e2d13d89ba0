// Reading the sheet part of a 100,000-row workbook: the .xlsx loader's own
// scanner against Qt's QXmlStreamReader doing the same walk (every cell's
// reference and every value's text). The scanner is why a load of that size
// fits in well under a second.

#include <benchmark/benchmark.h>

#include <QXmlStreamReader>

#include "data/excel/XmlScanner.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 8;

// A sheet as spreadsheet programs write it: shared-string cells and numbers.
QByteArray SheetXml() {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>";
    for (int r = 1; r <= kRows; ++r) {
        xml += "<row r=\"" + QByteArray::number(r) + "\">";
        for (int c = 0; c < kColumns; ++c) {
            const QByteArray ref = char('A' + c) + QByteArray::number(r);
            xml += c % 2 ? "<c r=\"" + ref + "\"><v>" + QByteArray::number(r * 7 + c) + "</v></c>"
                         : "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(r % 500) +
                               "</v></c>";
        }
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

const QByteArray& Sheet() {
    static const QByteArray xml = SheetXml();
    return xml;
}

void BM_WalkSheet_QXmlStreamReader(benchmark::State& state) {
    for (auto _ : state) {
        qsizetype chars = 0;
        QXmlStreamReader r(Sheet());
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == u"c") {
                chars += r.attributes().value("r").size();
            } else if (r.isStartElement() && r.name() == u"v") {
                chars += r.readElementText().size();
            }
        }
        if (r.hasError()) {
            state.SkipWithError("the sheet did not read");
        }
        benchmark::DoNotOptimize(chars);
    }
}

void BM_WalkSheet_XmlScanner(benchmark::State& state) {
    for (auto _ : state) {
        qsizetype chars = 0;
        XmlScanner s(Sheet());
        while (!s.AtEnd()) {
            s.Next();
            if (s.IsStart("c")) {
                chars += s.Attribute("r").size();
            } else if (s.IsStart("v")) {
                chars += s.ElementText().size();
            }
        }
        if (s.HasError()) {
            state.SkipWithError("the sheet did not read");
        }
        benchmark::DoNotOptimize(chars);
    }
}

}  // namespace

BENCHMARK(BM_WalkSheet_QXmlStreamReader)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_WalkSheet_XmlScanner)->Unit(benchmark::kMillisecond)->Repetitions(5);
