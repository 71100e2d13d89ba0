// Connection texts and statements as the console writes them.

#include <gtest/gtest.h>

#include "data/excel/ConnectText.h"
#include "data/excel/ExcelError.h"
#include "data/excel/SqlText.h"

TEST(ExcelConnectText, ExportTextKeepsPathsWithBlanksAndSemicolons) {
    const QString path = "/home/op/My Data; 2024/day one.xls";
    const auto a = ParseConnectText(
        QString("DRIVER={VYN8 Excel Driver (*.xls)};DSN=''FIRSTROWHASNAMES=1;READONLY=FALSE;"
                "CREATE_DB=\"%1\";DBQ=%1")
            .arg(path));
    EXPECT_EQ(a.value("DRIVER"), "VYN8 Excel Driver (*.xls)");
    EXPECT_EQ(a.value("READONLY"), "FALSE");
    EXPECT_EQ(a.value("CREATE_DB"), path);
    EXPECT_EQ(a.value("DBQ"), path);
}

TEST(ExcelConnectText, ImportTextSkipsPrefixAndKeepsBareDbq) {
    const auto a = ParseConnectText("ODBC;DRIVER={A;B Excel};DSN='';DBQ=/tmp/x y/list.xls");
    EXPECT_EQ(a.value("DRIVER"), "A;B Excel");
    EXPECT_EQ(a.value("DSN"), "''");
    EXPECT_EQ(a.value("DBQ"), "/tmp/x y/list.xls");
    EXPECT_FALSE(a.contains("ODBC"));
    EXPECT_EQ(ParseConnectText("dbq=/a.xls;").value("DBQ"), "/a.xls");
}

TEST(ExcelConnectText, NoCharacterOfAFileNameChangesTheText) {
    const QString driver = "VYN8 Excel Driver (*.xls)";
    for (const char* path : {"/data/day1.xls", "/data/day\"1.xls", "/data/a;DBQ=/etc/b.xls",
                             "/data/list.xls;", "/data/list.xls  ", "  /data/x.xls",
                             "/data/{x}}.xls", "/data/}", "/d;KEY=v/\"q\";=.xls", ""}) {
        const auto exported = ParseConnectText(ExportConnectText(driver, path));
        EXPECT_EQ(exported.value("CREATE_DB"), path);
        EXPECT_EQ(exported.value("DBQ"), path);
        EXPECT_FALSE(exported.contains("KEY"));
        const auto imported = ParseConnectText(ImportConnectText(driver, path));
        EXPECT_EQ(imported.value("DBQ"), path);
        EXPECT_EQ(imported.size(), 3);  // DRIVER, DSN, DBQ
    }
    // Plain names give the texts the console has always used.
    EXPECT_EQ(ImportConnectText(driver, "/data/day 1.xls"),
              "ODBC;DRIVER={VYN8 Excel Driver (*.xls)};DSN='';DBQ=/data/day 1.xls");
    EXPECT_EQ(ExportConnectText(driver, "/d/x.xls"),
              "DRIVER={VYN8 Excel Driver (*.xls)};DSN=''FIRSTROWHASNAMES=1;READONLY=FALSE;"
              "CREATE_DB=\"/d/x.xls\";DBQ=/d/x.xls");
}

TEST(ExcelSql, CreateAndInsertAsTheExportWritesThem) {
    const auto create = std::get<SqlCreateTable>(
        ParseSql("CREATE TABLE Vyn8(Id_barcode TEXT,Seed TEXT,  Comment text)"));
    EXPECT_EQ(create.table, "Vyn8");
    EXPECT_EQ(create.columns, QStringList({"Id_barcode", "Seed", "Comment"}));

    const auto insert = std::get<SqlInsert>(
        ParseSql("insert into [Vyn8] (Id_barcode,Seed,Comment) VALUES ('A''7','', 'it''s ok')"));
    EXPECT_EQ(insert.table, "Vyn8");
    EXPECT_EQ(insert.values, QStringList({"A'7", "", "it's ok"}));
}

TEST(ExcelSql, SelectNamesTheSheetWithBlanksVarying) {
    EXPECT_EQ(std::get<SqlSelectAll>(ParseSql("SELECT *  FROM [vyn8$]")).sheet, "vyn8");
    EXPECT_EQ(std::get<SqlSelectAll>(ParseSql("select*from[My Sheet$] ;")).sheet, "My Sheet");
}

TEST(ExcelSql, MalformedStatementsAreRefusedWithAMessage) {
    for (const char* bad : {
             "INSERT INTO Vyn8 (A,B) VALUES ('x', 'it's')",  // unescaped quote
             "INSERT INTO Vyn8 (A,B) VALUES ('x')",          // count differs
             "INSERT INTO Vyn8 (A) VALUES ('x'",             // unclosed list
             "CREATE TABLE T(A TEXT, a TEXT)",               // a column twice
             "CREATE TABLE T(A INTEGER)",                    // not TEXT
             "SELECT * FROM [vyn8]",                         // not a sheet
             "DELETE FROM [vyn8$]",
             "",
         }) {
        EXPECT_THROW(ParseSql(bad), ExcelError) << bad;
    }
}
