// Workbooks made by other writers (xlwt, and the spreadsheet fixtures), read
// through the driver's record set.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"
#include "data/excel/PythonSheets.h"

namespace {

QString ReadConnect(const QString& path) {
    return QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(kBuiltinExcelDriverName, path);
}

// The field names, then every record, all as text.
std::vector<QStringList> ReadAll(const QString& path, const QString& sheet = "vyn8") {
    ExcelDatabase db;
    if (!db.Open(ReadConnect(path))) {
        ADD_FAILURE() << "no connection to " << path.toStdString();
        return {};
    }
    ExcelRecordset rs(&db);
    rs.Open(QString("SELECT *  FROM [%1$]").arg(sheet));
    std::vector<QStringList> out(1);
    for (int i = 0; i < rs.GetFieldCount(); ++i) {
        out[0] << rs.GetFieldName(i);
    }
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.GetFieldCount(); ++i) {
            row << rs.GetFieldValue(i);
        }
        out.push_back(row);
    }
    return out;
}

QJsonArray OneSheet(const QString& name, const QJsonArray& rows) {
    return {QJsonObject{{"name", name}, {"rows", rows}}};
}

}  // namespace

TEST(ExcelWorkbookReader, CellsComeBackAsTheirText) {
    SKIP_WITHOUT_PYTHON(python, "xlwt");
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.xls");
    const QJsonObject date{{"date", QJsonArray{2024, 3, 9, 0, 0, 0}}};
    const QJsonObject stamp{{"date", QJsonArray{2024, 3, 9, 14, 5, 30}}};
    ASSERT_TRUE(WriteWithXlwt(
        python, path,
        OneSheet("Vyn8", {QJsonArray{"ID", QJsonValue(), 7, "Seed", 2.5, "Flag"},
                          QJsonArray{"A7", 12, 3.5, QString::fromUtf8("Blé d'été"), -0.25, true},
                          QJsonArray{date, stamp, 1e20, QJsonValue(), 123456789, false}})));
    const auto rows = ReadAll(path);
    ASSERT_EQ(rows.size(), 3u);
    // Empty and numeric name cells are named by their position.
    EXPECT_EQ(rows[0], QStringList({"ID", "F2", "F3", "Seed", "F5", "Flag"}));
    EXPECT_EQ(rows[1],
              QStringList({"A7", "12", "3.5", QString::fromUtf8("Blé d'été"), "-0.25", "1"}));
    EXPECT_EQ(rows[2],
              QStringList({"2024-03-09", "2024-03-09 14:05:30", "1e+20", "", "123456789", "0"}));
}

TEST(ExcelWorkbookReader, SpreadsheetFixturesAndSheetNamesInAnyCase) {
    const QString fixtures = VYN8_FIXTURES_DIR;
    const auto list = ReadAll(fixtures + "/sample-list.xls", "VYN8");
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], QStringList({"ID", "Seed", "PackNo", "Num/P", "Location", "Comment"}));
    EXPECT_EQ(list[1], QStringList({"A7", "Wheat", "3", "50", "Shelf 2", ""}));
    EXPECT_EQ(list[5][1], "12");

    const auto unnamed = ReadAll(fixtures + "/sample-list-unnamed-first-column.xls");
    ASSERT_FALSE(unnamed.empty());
    EXPECT_EQ(unnamed[0], QStringList({"F1", "Seed", "PackNo", "Num/P"}));

    ExcelDatabase db;
    ASSERT_TRUE(db.Open(ReadConnect(fixtures + "/workbook-without-vyn8.xls")));
    ExcelRecordset rs(&db);
    try {
        rs.Open("SELECT *  FROM [vyn8$]");
        ADD_FAILURE() << "a missing sheet opened";
    } catch (const UnreadableWorkbookError& e) {
        ADD_FAILURE() << "a missing sheet is no damage: " << e.Message().toStdString();
    } catch (const ExcelError&) {
    }
}

TEST(ExcelWorkbookReader, ConnectionFailsForMissingFileOrOtherDriver) {
    ExcelDatabase db;
    EXPECT_FALSE(db.Open(ReadConnect("/no/such/file.xls")));
    EXPECT_FALSE(db.Open(
        QString("ODBC;DRIVER={Other Excel};DBQ=%1/sample-list.xls").arg(VYN8_FIXTURES_DIR)));
    EXPECT_FALSE(db.IsOpen());
}

TEST(ExcelWorkbookReader, FormulaCellsGiveTheirStoredResults) {
    const auto rows = ReadAll(QString(VYN8_FIXTURES_DIR) + "/formula-results.xls");
    ASSERT_EQ(rows.size(), 4u);
    // Text, number, boolean and error results; a text result of 10,000
    // characters comes in a STRING record and its CONTINUE record.
    EXPECT_EQ(rows[1], QStringList({"A7", "Wheat", "3", "50", "1", "#DIV/0!"}));
    EXPECT_EQ(rows[2], QStringList({"B8", "Barley", "6", "20", "0", ""}));
    EXPECT_EQ(rows[3],
              QStringList({"C9", "Oat", "5", "#VALUE!", "#N/A", QString("ab").repeated(5000)}));

    ExcelDatabase db;
    ASSERT_TRUE(db.Open(ReadConnect(QString(VYN8_FIXTURES_DIR) + "/formula-results.xls")));
    ExcelRecordset rs(&db);
    rs.Open("SELECT *  FROM [vyn8$]");
    EXPECT_TRUE(rs.IsFieldNumber(2));
    EXPECT_FALSE(rs.IsFieldNumber(0));
    EXPECT_FALSE(rs.IsFieldNumber(5));
}

TEST(ExcelWorkbookReader, RecordsStartAtTheFirstUsedRowAndSkipEmptyRows) {
    const auto rows = ReadAll(QString(VYN8_FIXTURES_DIR) + "/sample-list-blank-rows.xls");
    EXPECT_EQ(rows, std::vector<QStringList>({{"ID", "Seed", "PackNo", "Num/P"},
                                              {"A7", "Wheat", "3", "50"},
                                              {"A8", "Barley", "2", "20"},
                                              {"B1", "Rice", "0", "1"}}));
}

TEST(ExcelWorkbookReader, LongSharedTextsAreReadWhole) {
    const QString path = QString(VYN8_FIXTURES_DIR) + "/long-shared-strings.xls";
    const auto rows = ReadAll(path);
    ASSERT_EQ(rows.size(), 4u);
    // The texts that make-calc-fixtures.py wrote.
    QString latin, wide;
    for (int i = 0; i < 20000; ++i) {
        latin += i % 7 ? QChar(0x41 + i % 26) : QChar(0xE9);
        wide += i % 3 ? QChar(0x4E00 + i % 500) : QChar(0x61 + i % 26);
    }
    EXPECT_EQ(rows[1][5], latin);
    EXPECT_EQ(rows[2][5], wide);
    EXPECT_EQ(rows[2][4], "plain bold tail");  // formatting runs skipped
    EXPECT_EQ(rows[3], QStringList({"L3", "Barley", "3", "30", "after", "short"}));
}

TEST(ExcelWorkbookReader, UnreadableWorkbooksSayWhy) {
    QTemporaryDir dir;
    QFile fixture(QString(VYN8_FIXTURES_DIR) + "/sample-list.xls");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray good = fixture.readAll();
    QFile malformed(QString(VYN8_FIXTURES_DIR) + "/compound-header-only.xls");
    ASSERT_TRUE(malformed.open(QIODevice::ReadOnly));
    // A damaged sector chain: the header survives, the table points nowhere.
    QByteArray chain = good;
    for (int i = 0x4C; i < 0x4C + 16 && i < chain.size(); ++i) {
        chain[i] = '\x7F';
    }
    struct Case {
        QString name;
        QByteArray bytes;  // null: written by xlwt
        const char* why;
    };
    std::vector<Case> files = {
        {"truncated.xls", good.left(good.size() / 2), "damaged or truncated"},
        {"header-only.xls", good.left(600), "damaged or truncated"},
        {"compound-header-only.xls", malformed.readAll(), "damaged or truncated"},
        {"bad-chain.xls", chain, "damaged"},
        {"empty.xls", QByteArray(""), "the file is empty"},
        {"text.xls", "ID\tSeed\r\nA7\tWheat\r\n", "it is a text file"},
        {"xlsx-renamed.xls", QByteArray("PK\x03\x04", 4) + QByteArray(2000, 'z'), "(.xlsx)"},
    };
    const QString python = FindPython("xlwt");
    if (!python.isEmpty()) {
        const QJsonArray sheet = OneSheet("vyn8", {QJsonArray{"ID"}, QJsonArray{"A7"}});
        ASSERT_TRUE(WriteWithXlwt(python, dir.filePath("filepass.xls"), sheet, "filepass"));
        ASSERT_TRUE(WriteWithXlwt(python, dir.filePath("biff5.xls"), sheet, "biff5"));
        files.push_back({"filepass.xls", {}, "password-protected"});
        files.push_back({"biff5.xls", {}, "only Excel 97-2003"});
    }
    for (const Case& c : files) {
        const QString path = dir.filePath(c.name);
        if (!c.bytes.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        ExcelDatabase db;
        QString message;
        try {
            db.Open(ReadConnect(path));
            ExcelRecordset rs(&db);
            rs.Open("SELECT *  FROM [vyn8$]");
        } catch (const UnreadableWorkbookError& e) {
            message = e.Message();
        }
        EXPECT_TRUE(message.startsWith("Cannot read " + path + ": ")) << message.toStdString();
        EXPECT_TRUE(message.contains(c.why))
            << c.name.toStdString() << ": " << message.toStdString();
    }
}
