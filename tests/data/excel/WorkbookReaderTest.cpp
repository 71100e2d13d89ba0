// Workbooks made by other writers (xlwt, and the spreadsheet fixtures), read
// through the driver's record set.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/excel/DriverRead.h"
#include "data/excel/ExcelError.h"
#include "data/excel/PythonSheets.h"

namespace {

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
        OneSheet("Vyn8", {QJsonArray{"ID", QJsonValue(), 7, "Seed", 2.5},
                          QJsonArray{"A7", 12, 3.5, QString::fromUtf8("Blé d'été"), -0.25},
                          QJsonArray{date, stamp, 1e20, QJsonValue(), 123456789}})));
    const auto rows = ReadAll(path);
    ASSERT_EQ(rows.size(), 3u);
    // Empty and numeric name cells are named by their position.
    EXPECT_EQ(rows[0], QStringList({"ID", "F2", "F3", "Seed", "F5"}));
    EXPECT_EQ(rows[1], QStringList({"A7", "12", "3.5", QString::fromUtf8("Blé d'été"), "-0.25"}));
    EXPECT_EQ(rows[2],
              QStringList({"2024-03-09", "2024-03-09 14:05:30", "1e+20", "", "123456789"}));
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
    EXPECT_THROW(rs.Open("SELECT *  FROM [vyn8$]"), ExcelError);
}

TEST(ExcelWorkbookReader, ConnectionFailsForMissingFileOrOtherDriver) {
    ExcelDatabase db;
    EXPECT_FALSE(db.Open(ReadConnect("/no/such/file.xls")));
    EXPECT_FALSE(db.Open(
        QString("ODBC;DRIVER={Other Excel};DBQ=%1/sample-list.xls").arg(VYN8_FIXTURES_DIR)));
    EXPECT_FALSE(db.IsOpen());
}

TEST(ExcelWorkbookReader, UnreadableWorkbooksRaiseAClearError) {
    QTemporaryDir dir;
    QFile fixture(QString(VYN8_FIXTURES_DIR) + "/sample-list.xls");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray good = fixture.readAll();
    std::vector<std::pair<QString, QByteArray>> files = {
        {"truncated.xls", good.left(good.size() / 2)},
        {"header-only.xls", good.left(600)},
        {"empty.xls", {}},
        {"text.xls", "ID\tSeed\r\nA7\tWheat\r\n"},
        {"xlsx-renamed.xls", QByteArray("PK\x03\x04", 4) + QByteArray(2000, 'z')},
    };
    // A damaged sector chain: the header survives, the table points nowhere.
    QByteArray chain = good;
    for (int i = 0x4C; i < 0x4C + 16 && i < chain.size(); ++i) {
        chain[i] = '\x7F';
    }
    files.push_back({"bad-chain.xls", chain});
    const QString python = FindPython("xlwt");
    if (!python.isEmpty()) {
        const QJsonArray sheet = OneSheet("vyn8", {QJsonArray{"ID"}, QJsonArray{"A7"}});
        for (const char* patch : {"filepass", "biff5"}) {
            const QString name = QString(patch) + ".xls";
            ASSERT_TRUE(WriteWithXlwt(python, dir.filePath(name), sheet, patch));
            files.push_back({name, {}});
        }
    }
    for (const auto& [name, bytes] : files) {
        const QString path = dir.filePath(name);
        if (!bytes.isNull() || !QFile::exists(path)) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ExcelDatabase db;
        QString message;
        try {
            ASSERT_TRUE(db.Open(ReadConnect(path)));
            ExcelRecordset rs(&db);
            rs.Open("SELECT *  FROM [vyn8$]");
        } catch (const ExcelError& e) {
            message = e.Message();
        }
        EXPECT_TRUE(message.contains(path)) << name.toStdString() << ": " << message.toStdString();
    }
}
