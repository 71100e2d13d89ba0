// The records exported to a workbook, checked by an independent reader.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/PythonSheets.h"
#include "support/TestSupport.h"

namespace {

const QStringList kColumns = {"Id_barcode", "Seed",           "BatchNo",  "Packet",
                              "Inventory",  "Total_Quantity", "Location", "Comment"};

void AddRecord(Cvyn8_rk47Doc& doc, const std::array<QString, 8>& fields) {
    doc.AddRecord(fields[0])->SetFromRecordOrder(fields);
}

QStringList Texts(const std::array<QString, 8>& a) {
    return QStringList(a.begin(), a.end());
}

// Every row of the workbook's only sheet "Vyn8" as xlrd reads it.
QList<QStringList> ReadBack(const QString& python, const QString& path) {
    const QJsonArray sheets = ReadWithXlrd(python, path);
    QList<QStringList> rows;
    if (sheets.size() != 1 || sheets[0].toObject()["name"].toString() != "Vyn8") {
        ADD_FAILURE() << "expected one sheet Vyn8";
        return rows;
    }
    for (const QJsonValue& row : sheets[0].toObject()["rows"].toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray()) {
            cells << cell.toString();
        }
        rows << cells;
    }
    return rows;
}

}  // namespace

TEST(ExcelExport, InsertQuotesEveryValue) {
    Cvyn8_rk47Doc doc;
    AddRecord(doc, {"A'7", "Wheat", "1", "50", "", "50", "Shelf 2", "it's 'fine'"});
    QString sql;
    doc.FormatInsert(0, "Vyn8", sql);
    EXPECT_EQ(sql,
              "INSERT INTO Vyn8 (Id_barcode,Seed,BatchNo,Packet,Inventory,Total_Quantity,Location,"
              "Comment) VALUES ('A''7','Wheat','1','50','','50','Shelf 2','it''s ''fine''')");
    EXPECT_THROW(doc.FormatInsert(1, "Vyn8", sql), std::invalid_argument);
}

TEST(ExcelExport, ThreeRecordsWithApostropheAndAccentsSurvive) {
    SKIP_WITHOUT_PYTHON(python, "xlrd");
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    const std::vector<std::array<QString, 8>> records = {
        {"A7", "Wheat", "1", "50", "1200", "50", "Shelf 2", "it's dry"},
        {"A7", "Wheat", "2", "50", "1150", "100", "Shelf 2", ""},
        {QString::fromUtf8("Bé-9"), QString::fromUtf8("Épeautre"), "1", "20", "", "20",
         QString::fromUtf8("Salle réfrigérée"), QString::fromUtf8("très bien; 100%")},
    };
    for (const auto& r : records) {
        AddRecord(doc, r);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("day one.xls");
    EXPECT_EQ(doc.ExportToExcel(path, doc.m_strExcelDriver), 1);
    EXPECT_TRUE(prompter.shown.empty());

    const QList<QStringList> rows = ReadBack(python, path);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], kColumns);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i + 1], Texts(records[static_cast<size_t>(i)]));
    }
}

TEST(ExcelExport, TenThousandRecordsInOrder) {
    SKIP_WITHOUT_PYTHON(python, "xlrd");
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    for (int i = 0; i < 10000; ++i) {
        const QString n = QString::number(i);
        AddRecord(
            doc, {"ID" + n, "Seed" + n, n, "5" + n, "Inv" + n, "T" + n, "Loc" + n, "Comment " + n});
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("big.xls");
    ASSERT_EQ(doc.ExportToExcel(path, doc.m_strExcelDriver), 1);
    const QList<QStringList> rows = ReadBack(python, path);
    ASSERT_EQ(rows.size(), 10001);
    for (int i = 0; i < 10000; ++i) {
        ASSERT_EQ(rows[i + 1], Texts(doc.m_records[static_cast<size_t>(i)]->RecordOrder()))
            << "record " << i;
    }
}

TEST(ExcelExport, ExistingFilesAreRefusedAndLeftAsTheyWere) {
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    AddRecord(doc, {"A7", "Wheat", "1", "50", "", "50", "", ""});
    QTemporaryDir dir;
    const QString fixtures = VYN8_FIXTURES_DIR;
    QFile::copy(fixtures + "/sample-list.xls", dir.filePath("has-sheet.xls"));
    QFile::copy(fixtures + "/workbook-without-vyn8.xls", dir.filePath("other-sheet.xls"));
    QFile notes(dir.filePath("notes.xls"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("my notes\n");
    notes.close();
    for (const char* name : {"has-sheet.xls", "other-sheet.xls", "notes.xls"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        prompter.Clear();
        EXPECT_EQ(doc.ExportToExcel(f.fileName(), doc.m_strExcelDriver), 0) << name;
        EXPECT_EQ(prompter.Texts(), QStringList{"Please use other file name !"});
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << name;
    }
    // A driver that is not installed fails the same way and writes nothing.
    prompter.Clear();
    EXPECT_EQ(doc.ExportToExcel(dir.filePath("new.xls"), "Another Excel Driver"), 0);
    EXPECT_EQ(prompter.Texts(), QStringList{"Please use other file name !"});
    EXPECT_FALSE(QFile::exists(dir.filePath("new.xls")));
}
