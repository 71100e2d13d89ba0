// .xlsx and CSV files made by other writers (openpyxl, LibreOffice, Python's
// csv module), read through the driver as Load File reads them.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/excel/DriverRead.h"
#include "data/excel/PythonSpreadsheets.h"
#include "data/excel/SheetReader.h"
#include "support/CaseName.h"

namespace {

QJsonObject Sheet(const QString& name, std::initializer_list<QJsonArray> rows) {
    return QJsonObject{{"name", name}, {"rows", Rows(rows)}};
}

}  // namespace

TEST(SpreadsheetReader, OpenpyxlCellsReadAsTheXlsReaderGivesThem) {
    SKIP_WITHOUT_PYTHON(python, "openpyxl");
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.xlsx");
    const QJsonObject date{{"date", QJsonArray{2024, 3, 9, 0, 0, 0}}};
    const QJsonObject stamp{{"date", QJsonArray{2024, 3, 9, 14, 5, 30}}};
    const QJsonArray sheets = {
        Sheet("Notes", {QJsonArray{"not the list"}}),
        Sheet("VYN8", {QJsonArray{"ID", QJsonValue(), 7, "Seed", 2.5},
                       QJsonArray{"A7", 12, 3.5, QString::fromUtf8("Blé d'été"), -0.25},
                       QJsonArray{date, stamp, 1e20, QJsonValue(), 123456789}}),
        Sheet("Sheet3", {QJsonArray{1}})};
    ASSERT_TRUE(WriteWithOpenpyxl(python, path, sheets));
    const auto rows = ReadAll(path);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], QStringList({"ID", "F2", "F3", "Seed", "F5"}));
    EXPECT_EQ(rows[1], QStringList({"A7", "12", "3.5", QString::fromUtf8("Blé d'été"), "-0.25"}));
    EXPECT_EQ(rows[2],
              QStringList({"2024-03-09", "2024-03-09 14:05:30", "1e+20", "", "123456789"}));
}

TEST(SpreadsheetReader, LibreOfficeFormulasRichStringsAndDates) {
    const auto rows = ReadAll(QString(VYN8_FIXTURES_DIR) + "/sample-list-formulas.xlsx");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], QStringList({"ID", "Seed", "PackNo", "Num/P", "Location", "Comment"}));
    EXPECT_EQ(rows[1], QStringList({"A7", "Wheat", "3", "50", "2024-03-09", "dry and cool"}));
    // Formulas give their stored results: text, numbers, a truth value, an error.
    EXPECT_EQ(rows[2], QStringList({"B9", "Barley", "3", "50", "2024-03-09 14:05:30", "1"}));
    EXPECT_EQ(rows[3], QStringList({"C12", "12", "5", "10", "Cold room", "#DIV/0!"}));
}

struct CsvCase {
    const char* delimiter;
    const char* encoding;
};

class CsvReader : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReader, CsvModuleFilesReadAsWritten) {
    SKIP_WITHOUT_PYTHON(python, "csv");
    QTemporaryDir dir;
    const QString withHeader = dir.filePath("list.csv");
    const QString awkward = QString::fromUtf8("say \"hi\", then\nleave; 1\t2");
    ASSERT_TRUE(
        WriteWithCsvModule(python, withHeader,
                           {QJsonArray{"ID", "Seed", "PackNo", "Num/P", "Comment"},
                            QJsonArray{"A7", QString::fromUtf8("Blé d'été"), 3, 50, awkward},
                            QJsonArray{"B1", "", 2.5, "007", "=1+1"}},
                           GetParam().delimiter, GetParam().encoding));
    const auto rows = ReadAll(withHeader);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], QStringList({"ID", "Seed", "PackNo", "Num/P", "Comment"}));
    EXPECT_EQ(rows[1], QStringList({"A7", QString::fromUtf8("Blé d'été"), "3", "50", awkward}));
    EXPECT_EQ(rows[2], QStringList({"B1", "", "2.5", "007", "=1+1"}));

    // Without a header row, numbers cannot name columns, as in a workbook.
    const QString noHeader = dir.filePath("no-header.csv");
    ASSERT_TRUE(WriteWithCsvModule(python, noHeader, Rows({QJsonArray{"A7", "Wheat", 3, 50}}),
                                   GetParam().delimiter, GetParam().encoding));
    EXPECT_EQ(ReadAll(noHeader, "any name")[0], QStringList({"A7", "Wheat", "F3", "F4"}));
}

INSTANTIATE_TEST_SUITE_P(SeparatorsAndEncodings, CsvReader,
                         ::testing::Values(CsvCase{",", "utf-8"}, CsvCase{";", "utf-8-sig"},
                                           CsvCase{"\t", "latin-1"}),
                         [](const auto& info) {
                             return CaseName(info.index, info.param.encoding);
                         });

TEST(SpreadsheetReader, BadFilesRaiseAClearErrorNamingTheFile) {
    QTemporaryDir dir;
    QFile fixture(QString(VYN8_FIXTURES_DIR) + "/sample-list-formulas.xlsx");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray xlsx = fixture.readAll();
    QFile xlsFixture(QString(VYN8_FIXTURES_DIR) + "/sample-list.xls");
    ASSERT_TRUE(xlsFixture.open(QIODevice::ReadOnly));
    QByteArray encrypted = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0');
    for (char c : QByteArray("EncryptedPackage")) {
        encrypted.append(c).append('\0');
    }
    struct Case {
        QString name;
        QByteArray bytes;
        QString why;
    };
    std::vector<Case> cases = {
        {"text.xlsx", "ID,Seed\r\nA7,Wheat\r\n", "not an Excel workbook"},
        {"old.xlsx", xlsFixture.readAll(), "Excel 97-2003"},
        {"locked.xlsx", encrypted, "password-protected"},
        {"truncated.xlsx", xlsx.left(xlsx.size() / 2), "damaged or truncated"},
        {"empty.xlsx", "", "not an Excel workbook"},
        {"workbook.csv", xlsx, "not comma-separated text"},
        {"mixed.csv", "ID,Seed\r\nA7\r\n", "line 2 has 1 fields, the first line 2"},
        {"open-quote.csv", "ID,Seed\r\nA7,\"Wheat\r\n", "not closed"},
    };
    // Parts written by Python's zipfile: damaged XML, a sheet whose used
    // range is too large, and zip bombs.
    const QString python = FindPython("zipfile");
    if (!python.isEmpty()) {
        const char* const script = R"(
import struct, sys, zipfile
src = zipfile.ZipFile(sys.argv[1])
SHEET = "xl/worksheets/sheet2.xml"
def variant(name, sheet=None, stream=None):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as out:
        for item in src.infolist():
            if item.filename != SHEET:
                out.writestr(item.filename, src.read(item))
            elif sheet is not None:
                out.writestr(item.filename, sheet)
            else:
                with out.open(item.filename, "w", force_zip64=True) as f:
                    for _ in range(stream):
                        f.write(b" " * (1 << 20))
variant(sys.argv[2] + "/damaged.xlsx", sheet="<worksheet><sheetData><row><c r='A1'")
variant(sys.argv[2] + "/wide.xlsx",
        sheet="<worksheet><sheetData><row r='1'><c r='A1' t='str'><v>ID</v></c>"
              "<c r='XFD1'><v>1</v></c></row><row r='1048576'><c r='A1048576'><v>1</v></c>"
              "</row></sheetData></worksheet>")
variant(sys.argv[2] + "/bomb.xlsx", stream=300)
# The sheet's unpacked size rewritten in both its headers.
def lie(name, sheet, size):
    variant(name, sheet=sheet)
    data = bytearray(open(name, "rb").read())
    struct.pack_into("<I", data, zipfile.ZipFile(name).getinfo(SHEET).header_offset + 22, size)
    at = data.find(b"PK\x01\x02")
    while at >= 0:
        length = struct.unpack_from("<H", data, at + 28)[0]
        if data[at + 46:at + 46 + length] == SHEET.encode():
            struct.pack_into("<I", data, at + 24, size)
        at = data.find(b"PK\x01\x02", at + 4)
    open(name, "wb").write(data)
lie(sys.argv[2] + "/bomb-claiming-little.xlsx", b" " * (32 << 20), 1000)
lie(sys.argv[2] + "/claiming-much.xlsx", "<worksheet/>", 300 << 20)
)";
        ASSERT_TRUE(RunPython(python, {"-c", script, fixture.fileName(), dir.path()}, nullptr));
        cases.push_back({"damaged.xlsx", QByteArray(), "damaged"});
        cases.push_back({"wide.xlsx", QByteArray(), "too large"});
        cases.push_back({"bomb.xlsx", QByteArray(), "unpacks to more than"});
        // Sizes that lie: the bytes past the claimed size are never
        // unpacked and the sheet fails its checksum; a claim past the limit
        // is refused before anything is unpacked.
        cases.push_back({"bomb-claiming-little.xlsx", QByteArray(), "damaged or truncated"});
        cases.push_back({"claiming-much.xlsx", QByteArray(), "unpacks to more than"});
    }
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        if (!c.bytes.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        QString message;
        try {
            ReadAll(path);
            ADD_FAILURE() << c.name.toStdString() << " was read";
        } catch (const UnreadableWorkbookError& e) {
            message = e.Message();
        }
        EXPECT_TRUE(message.contains(path) && message.contains(c.why))
            << c.name.toStdString() << ": " << message.toStdString();
    }
}
