// The records exported to a workbook, checked by an independent reader.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include "app/commands/RecordFileCommands.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/excel/ConnectText.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelRecordset.h"
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

// Every row of the sheet "Vyn8" as our reader gives it, field names first.
QList<QStringList> ReadBackOurs(const QString& path) {
    ExcelDatabase db;
    QList<QStringList> rows;
    if (!db.Open(ImportConnectText(kBuiltinExcelDriverName, path))) {
        ADD_FAILURE() << "no connection to " << path.toStdString();
        return rows;
    }
    ExcelRecordset rs(&db);
    rs.Open("SELECT *  FROM [Vyn8$]");
    QStringList names;
    for (int i = 0; i < rs.GetFieldCount(); ++i) {
        names << rs.GetFieldName(i);
    }
    rows << names;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.GetFieldCount(); ++i) {
            row << rs.GetFieldValue(i);
        }
        rows << row;
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
    EXPECT_TRUE(doc.ExportToExcel(path, doc.m_strExcelDriver).Saved());
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
    ASSERT_TRUE(doc.ExportToExcel(path, doc.m_strExcelDriver).Saved());
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
        EXPECT_EQ(doc.ExportToExcel(f.fileName(), doc.m_strExcelDriver).problem,
                  RecordSaveResult::Problem::WorkbookRefused)
            << name;
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << name;
    }
    EXPECT_TRUE(prompter.shown.empty());
    // A driver that is not installed fails the same way and writes nothing;
    // Save tells the operator to use another name.
    ScriptedFileChooser files;
    files.Answer(dir.filePath("new.xls"));
    doc.m_strExcelDriver = "Another Excel Driver";
    commands::OnSaveRecords(doc);
    EXPECT_EQ(prompter.Texts(), QStringList{"Please use other file name !"});
    EXPECT_FALSE(QFile::exists(dir.filePath("new.xls")));
    EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED);
}

TEST(ExcelExport, AFolderThatTakesNoFileGivesTheReason) {
    Cvyn8_rk47Doc doc;
    AddRecord(doc, {"A7", "Wheat", "1", "50", "", "50", "", ""});
    QTemporaryDir dir;
    QString folder = dir.filePath("locked");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (geteuid() == 0) {
        folder = "/sys";  // the superuser writes anywhere else
    }
    const QString path = folder + "/day.xls";
    const RecordSaveResult result = doc.ExportToExcel(path, doc.m_strExcelDriver);
    // Worded as for .xlsx and .txt: "The records were not saved to <path>: <reason>".
    EXPECT_EQ(result.problem, RecordSaveResult::Problem::NotWritten);
    EXPECT_EQ(result.reason, "Permission denied");
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ExcelExport, AwkwardValuesComeBackExactlyThroughOurReaderAndXlrd) {
    SKIP_WITHOUT_PYTHON(python, "xlrd");
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    const QString latin = QString::fromUtf8("Blé d'été, ÿ-ß ").repeated(1100);       // 16,500
    const QString wide = QString::fromUtf8("中文ID ğă ").repeated(1200).left(8200);  // not Latin-1
    const std::vector<std::array<QString, 8>> records = {
        {"it's", "O'Brien's 'best'", "", "007", "=1+1", "", QString::fromUtf8("Salle réfrigérée"),
         QString(255, 'x')},
        {"A7", "", "1", "", "", "", "", latin.left(8200)},
        {"B8", "Rice", "2", "50", "", "50", "", latin},
        {"C9", "Oat", "3", "50", "", "100", wide, wide + wide + wide.left(3600)},
    };
    for (const auto& r : records) {
        AddRecord(doc, r);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("awkward.xls");
    ASSERT_TRUE(doc.ExportToExcel(path, doc.m_strExcelDriver).Saved());
    EXPECT_TRUE(prompter.shown.empty());
    const QList<QStringList> ours = ReadBackOurs(path);
    const QList<QStringList> theirs = ReadBack(python, path);
    ASSERT_EQ(ours.size(), 5);
    EXPECT_EQ(ours, theirs);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ours[i + 1], Texts(records[static_cast<size_t>(i)])) << "record " << i;
    }
}

TEST(ExcelExport, AnyCharacterOfThePathWritesExactlyThatFile) {
    RecordingPrompter prompter;
    Cvyn8_rk47Doc doc;
    AddRecord(doc, {"A7", "Wheat", "1", "50", "", "50", "", ""});
    QTemporaryDir dir;
    const QString folder = dir.filePath("day {1}; x=\"2\"");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name :
         {"day\"1.xls", "a;DBQ=other.xls", "list.xls;", "b}.xls  ", " {c}=d.xls", "my list.xls"}) {
        const QString path = folder + "/" + name;
        prompter.Clear();
        ASSERT_TRUE(doc.ExportToExcel(path, doc.m_strExcelDriver).Saved()) << name;
        EXPECT_TRUE(prompter.shown.empty()) << name;
        const QList<QStringList> rows = ReadBackOurs(path);
        ASSERT_EQ(rows.size(), 2) << name;
        EXPECT_EQ(rows[1][0], "A7");
        QFile::remove(path);
        EXPECT_TRUE(QDir(folder).isEmpty()) << name << ": another file was written";
    }
}

TEST(ExcelExport, WhatNoSheetHoldsIsRefusedWithTheLimitAndTheTextFileWay) {
    RecordingPrompter prompter;
    ScriptedFileChooser files;
    QTemporaryDir dir;
    Cvyn8_rk47Doc doc;
    for (int i = 0; i < 65536; ++i) {
        doc.AddRecord("S");
    }
    files.Answer(dir.filePath("many.xls"));
    commands::OnSaveRecords(doc);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(
        "An Excel 97-2003 sheet holds at most 65,535 records, and there are 65,536. A text file "
        "(.txt) holds any number of records"))
        << prompter.shown[0].text.toStdString();
    EXPECT_EQ(doc.m_nSaveState, RECORDS_UNSAVED);

    Cvyn8_rk47Doc longValue;
    AddRecord(longValue, {"A7", "", "", "", "", "", "", QString(32767, 'c')});
    EXPECT_TRUE(
        longValue.ExportToExcel(dir.filePath("longest.xls"), longValue.m_strExcelDriver).Saved());
    AddRecord(longValue, {"A8", "", "", "", "", "", QString(32768, 'l'), ""});
    prompter.Clear();
    files.Answer(dir.filePath("long.xls"));
    commands::OnSaveRecords(longValue);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(
        "A cell of an Excel 97-2003 sheet holds at most 32,767 characters, and record 2 has a "
        "value of 32,768. A text file (.txt) holds texts of any length"))
        << prompter.shown[0].text.toStdString();
    EXPECT_EQ(longValue.m_nSaveState, RECORDS_UNSAVED);
    EXPECT_FALSE(QFile::exists(dir.filePath("many.xls")));
    EXPECT_FALSE(QFile::exists(dir.filePath("long.xls")));
}
