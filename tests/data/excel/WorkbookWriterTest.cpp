// Workbooks written by the driver, read back by an independent reader (xlrd)
// and by the driver's own reader.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>

#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelDriver.h"
#include "data/excel/ExcelError.h"
#include "data/excel/ExcelRecordset.h"
#include "data/excel/PythonSheets.h"

namespace {

QString WriteConnect(const QString& path) {
    return QString("DRIVER={%1};DSN=''FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"%2\";DBQ=%2")
        .arg(kBuiltinExcelDriverName, path);
}

QString Quoted(QString v) {
    return '\'' + v.replace('\'', "''") + '\'';
}

// Writes `rows` under the columns A, B, C into sheet "Vyn8" of a new workbook.
void WriteBook(const QString& path, const std::vector<QStringList>& rows) {
    ExcelDatabase db;
    ASSERT_TRUE(db.OpenEx(WriteConnect(path)));
    db.ExecuteSQL("CREATE TABLE Vyn8(A TEXT,B TEXT,C TEXT)");
    for (const QStringList& row : rows) {
        QStringList values;
        for (const QString& v : row) {
            values << Quoted(v);
        }
        db.ExecuteSQL("INSERT INTO Vyn8 (A,B,C) VALUES (" + values.join(',') + ")");
    }
    db.Close();
}

// The rows of the only sheet as xlrd reads them, every cell as text.
std::vector<QStringList> XlrdRows(const QString& python, const QString& path, QString* name) {
    const QJsonArray sheets = ReadWithXlrd(python, path);
    std::vector<QStringList> rows;
    if (sheets.size() != 1) {
        ADD_FAILURE() << "sheets: " << sheets.size();
        return rows;
    }
    *name = sheets[0].toObject()["name"].toString();
    for (const QJsonValue& row : sheets[0].toObject()["rows"].toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray()) {
            cells << cell.toString();
        }
        rows.push_back(cells);
    }
    return rows;
}

// Texts in both encodings, many enough that the shared strings run over
// several CONTINUE records and strings split between them.
std::vector<QStringList> AwkwardRows() {
    std::vector<QStringList> rows = {
        {"it's", QString::fromUtf8("Épeautre à l'été"), ""},
        {QString(6000, QChar('x')) + "end",
         QString::fromUtf8("种子") + QString(3000, QChar(0x4E2D)), "12"},
    };
    for (int i = 0; i < 3000; ++i) {
        rows.push_back({QString("ID%1").arg(i), QString::fromUtf8("Blé n°%1").arg(i % 7),
                        i % 2 ? QString::fromUtf8("中%1").arg(i) : QString("plain %1").arg(i)});
    }
    return rows;
}

}  // namespace

TEST(ExcelWorkbookWriter, IndependentReaderGetsEveryValueInOrder) {
    SKIP_WITHOUT_PYTHON(python, "xlrd");
    QTemporaryDir dir;
    const QString path = dir.filePath("out book.xls");
    std::vector<QStringList> rows = AwkwardRows();
    // Texts longer than two records (the reader of the import stops short
    // of these; the format and other readers do not).
    rows.push_back({QString(20000, QChar('y')), QString(9000, QChar(0x00E9)) + QChar(0x4E2D), "z"});
    WriteBook(path, rows);

    QString sheet;
    const std::vector<QStringList> got = XlrdRows(python, path, &sheet);
    EXPECT_EQ(sheet, "Vyn8");
    ASSERT_EQ(got.size(), rows.size() + 1);
    EXPECT_EQ(got[0], QStringList({"A", "B", "C"}));
    for (size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(got[r + 1], rows[r]) << "row " << r + 1;
    }
}

TEST(ExcelWorkbookWriter, OwnReaderReadsWhatWasWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("again.xls");
    const std::vector<QStringList> rows = AwkwardRows();
    WriteBook(path, rows);

    ExcelDatabase db;
    ASSERT_TRUE(
        db.Open(QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(kBuiltinExcelDriverName, path)));
    ExcelRecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM [VYN8$]"));
    ASSERT_EQ(rs.GetFieldCount(), 3);
    EXPECT_EQ(rs.GetFieldName(2), "C");
    size_t r = 0;
    for (; !rs.IsEOF(); rs.MoveNext(), ++r) {
        ASSERT_LT(r, rows.size());
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(rs.GetFieldValue(c), rows[r][c]) << "row " << r << " column " << c;
        }
    }
    EXPECT_EQ(r, rows.size());
}

TEST(ExcelWorkbookWriter, ExistingFilesAreNeverTouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath("taken.xls");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a workbook");
    f.close();

    ExcelDatabase db;
    EXPECT_THROW(db.OpenEx(WriteConnect(path)), ExcelError);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("not a workbook"));
    EXPECT_THROW(db.OpenEx(WriteConnect(dir.filePath("no such folder/x.xls"))), ExcelError);
}

TEST(ExcelWorkbookWriter, AFailedStatementLeavesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("half.xls");
    {
        ExcelDatabase db;
        ASSERT_TRUE(db.OpenEx(WriteConnect(path)));
        db.ExecuteSQL("CREATE TABLE Vyn8(A TEXT)");
        db.ExecuteSQL("INSERT INTO Vyn8 (A) VALUES ('kept?')");
        EXPECT_THROW(db.ExecuteSQL("CREATE TABLE vyn8(B TEXT)"), ExcelError);
        EXPECT_THROW(db.ExecuteSQL("INSERT INTO Other (A) VALUES ('x')"), ExcelError);
        EXPECT_THROW(db.ExecuteSQL("INSERT INTO Vyn8 (Z) VALUES ('x')"), ExcelError);
        EXPECT_THROW(db.ExecuteSQL("CREATE TABLE [a:b](A TEXT)"), ExcelError);
        // The connection goes away without Close, as after a failed export.
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
