#include <gtest/gtest.h>

#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "data/InventoryMap.h"
#include "data/SeedParaFile.h"
#include "support/CaseName.h"
#include "support/TestSupport.h"

namespace {

int LoadSeeds(const QByteArray& bytes, Cvyn8_rk47Doc& doc) {
    TempWorkDir dir;
    dir.Write("SeedPara.txt", bytes);
    return LoadSeedParaFile(dir.Path("SeedPara.txt"), doc);
}

InventoryMap LoadInventory(const QByteArray& bytes) {
    TempWorkDir dir;
    dir.Write("inv.txt", bytes);
    InventoryMap map;
    LoadInventoryFile(dir.Path("inv.txt"), map);
    return map;
}

}  // namespace

TEST(SeedParaFile, ReadsSetsInFieldOrder) {
    Cvyn8_rk47Doc doc;
    ASSERT_EQ(LoadSeeds("Wheat 50 5 10 12\r\nBarley 60 6 11 13\r\n", doc), 2);
    EXPECT_EQ(doc.m_seedNames[1], "Barley");
    EXPECT_EQ(doc.m_feedSpeeds[1], "60");
    EXPECT_EQ(doc.m_sensitivities[1], "6");
    EXPECT_EQ(doc.m_gateVers[1], "11");
    EXPECT_EQ(doc.m_gateHors[1], "13");
    EXPECT_EQ(doc.m_seedNames.size(), 50);
}

TEST(SeedParaFile, LastLineWithoutLineEndIsAWholeLine) {
    Cvyn8_rk47Doc doc;
    EXPECT_EQ(LoadSeeds("Wheat 50 5 10 12\r\nRice 45 4 8 9", doc), 2);
    EXPECT_EQ(doc.m_seedNames[1], "Rice");
    EXPECT_EQ(doc.m_gateHors[1], "9");
}

// A line that is not a set, between two good lines with trailing blanks.
struct WrongSeedLine {
    const char* line;
    const char* why;
};

class SeedParaWrongLine : public ::testing::TestWithParam<WrongSeedLine> {};

TEST_P(SeedParaWrongLine, IsLeftOutNamedOnceAndKeptOnRewrite) {
    TempWorkDir dir;
    const QByteArray bad = GetParam().line;
    dir.Write("SeedPara.txt", "Wheat 50 5 10 12 \t\r\n" + bad + "\r\n\r\nRice 45 4 8 9  \r\n");
    Cvyn8_rk47Doc doc;
    QString problem;
    ASSERT_EQ(LoadSeedParaFile(dir.Path("SeedPara.txt"), doc, &problem), 2);
    EXPECT_EQ(doc.m_gateHors[0], "12");  // the blanks before the line end are not a field
    EXPECT_EQ(doc.m_seedNames[1], "Rice");
    EXPECT_EQ(doc.m_gateHors[1], "9");
    EXPECT_TRUE(problem.contains(QString("line 2: ") + GetParam().why)) << problem.toStdString();
    EXPECT_FALSE(problem.contains("line 1") || problem.contains("line 4"));

    ASSERT_TRUE(SaveSeedParaFile(dir.Path("SeedPara.txt"), doc, 2));
    EXPECT_EQ(dir.Read("SeedPara.txt"), "Wheat 50 5 10 12\r\nRice 45 4 8 9\r\n" + bad + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SeedParaWrongLine,
    ::testing::Values(WrongSeedLine{"Oat  50 5 10 12", "it has 6 fields"},
                      WrongSeedLine{"Winter Wheat 50 5 10 12", "it has 6 fields"},
                      WrongSeedLine{"Oat 50 5 10", "it has 4 fields"},
                      WrongSeedLine{" 50 5 10 12", "the seed name is empty"},
                      WrongSeedLine{"Oat 5x 4 8 9", "the feed speed \"5x\" is not a whole"},
                      WrongSeedLine{"Oat 50 5 -1 9", "the gate vertical \"-1\""},
                      WrongSeedLine{"O\x03t 50 5 10 12",
                                    "the seed name holds a control character"}),
    [](const auto& info) { return CaseName(info.index, info.param.why); });

TEST(SeedParaFile, GrowsPastFiftySetsAndReadsLongTokensWhole) {
    QByteArray bytes;
    for (int k = 0; k <= 60; ++k) {
        bytes += "S" + QByteArray::number(k) + " 50 5 10 12\r\n";
    }
    const QByteArray longName(40, 'L');
    bytes += longName + " 1 2 3 4\r\n";
    Cvyn8_rk47Doc doc;
    EXPECT_EQ(LoadSeeds(bytes, doc), 62);
    EXPECT_GE(doc.m_gateHors.size(), 62);
    EXPECT_EQ(doc.m_seedNames[60], "S60");
    EXPECT_EQ(doc.m_seedNames[61], QString::fromLatin1(longName));
}

TEST(SeedParaFile, OddContentNeverCrashes) {
    Cvyn8_rk47Doc doc;
    EXPECT_EQ(LoadSeeds("", doc), 0);
    EXPECT_EQ(LoadSeeds("     \n\n\n", doc), 0);  // blank lines are no sets
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>(i * 37 % 256);
    }
    LoadSeeds(binary, doc);
    EXPECT_EQ(LoadSeeds(QByteArray(1 << 20, 'x'), doc), 0);  // an endless line
    Cvyn8_rk47Doc missing;
    EXPECT_EQ(LoadSeedParaFile("/nonexistent/SeedPara.txt", missing), 0);
}

TEST(SeedParaFile, SaveRewritesTheSameLinesWithCrLf) {
    TempWorkDir dir;
    const QByteArray three = "Wheat 50 5 10 12\r\nBarley 60 6 11 13\r\nRice 45 4 8 9\r\n";
    dir.Write("SeedPara.txt", three);
    Cvyn8_rk47Doc doc;
    const int n = LoadSeedParaFile(dir.Path("SeedPara.txt"), doc);
    ASSERT_TRUE(SaveSeedParaFile(dir.Path("SeedPara.txt"), doc, n));
    EXPECT_EQ(dir.Read("SeedPara.txt"), three);
}

TEST(InventoryFile, AlternatesIdAndValueSkippingEmptyTokens) {
    const InventoryMap map = LoadInventory("A1\t\r\nB2\t7\r\nC3\t12\r\n");
    // A1's empty value is skipped, so B2 becomes its value and 7 an ID.
    QString v;
    ASSERT_TRUE(map.Lookup("A1", &v));
    EXPECT_EQ(v, "B2");
    ASSERT_TRUE(map.Lookup("7", &v));
    EXPECT_EQ(v, "C3");
    EXPECT_FALSE(map.Lookup("B2"));
}

TEST(InventoryFile, LaterValueReplacesAndALastLineWithoutEndIsReadWhole) {
    const InventoryMap map = LoadInventory("A1\t5\r\nA1\t9\r\nB2\t3");
    QString v;
    ASSERT_TRUE(map.Lookup("A1", &v));
    EXPECT_EQ(v, "9");
    ASSERT_TRUE(map.Lookup("B2", &v));
    EXPECT_EQ(v, "3");
    EXPECT_EQ(map.GetCount(), 2);
}

TEST(InventoryFile, WritesInInsertionOrderSkippingEmptyIdsAndNoSeparatorInAField) {
    TempWorkDir dir;
    InventoryMap map;
    map.Set("b", "1");
    map.Set("", "2");
    map.Set("a", "3");
    map.Set("b", "4");
    map.Set(QString(QChar(0x0109)), "5");  // its low byte is a TAB
    map.Set("c\td", "6");
    ASSERT_TRUE(SaveInventoryFile(dir.Path("inv.txt"), map));
    EXPECT_EQ(dir.Read("inv.txt"), QByteArray("b\t4\r\na\t3\r\n?\t5\r\nc d\t6\r\n"));
}

TEST(InventoryFile, AnEntryWithACrOrNulIsLeftOutNamedOnceAndWrittenBackAsItWas) {
    TempWorkDir dir;
    const QByteArray bad1("B\r2\t7", 6);
    const QByteArray bad2("C3\tx\0y", 6);
    dir.Write("inv.txt", "A1\t5\r\n" + bad1 + "\r\n" + bad2 + "\r\nD4\t9\r\n");
    InventoryMap map;
    QString problem;
    ASSERT_TRUE(LoadInventoryFile(dir.Path("inv.txt"), map, &problem));
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Lookup("A1") && map.Lookup("D4"));
    EXPECT_EQ(problem, "These lines of " + dir.Path("inv.txt") +
                           " hold a CR or NUL character in an ID or inventory and were left out; "
                           "mend them in the file: line 2, line 3");

    ASSERT_TRUE(SaveInventoryFile(dir.Path("inv.txt"), map));
    const QByteArray written = dir.Read("inv.txt");
    EXPECT_EQ(written, "A1\t5\r\nD4\t9\r\n" + bad1 + "\r\n" + bad2 + "\r\n");
    InventoryMap again;
    ASSERT_TRUE(LoadInventoryFile(dir.Path("inv.txt"), again));
    ASSERT_TRUE(SaveInventoryFile(dir.Path("inv.txt"), again));
    EXPECT_EQ(dir.Read("inv.txt"), written);
}

TEST(InventoryMap, KeysAreCaseSensitiveAndInsertReplaces) {
    InventoryMap map;
    map.Set("a1", "1");
    map.Set("A1", "2");
    map.Set("a1", "3");
    EXPECT_EQ(map.GetCount(), 2);
    QString v;
    map.Lookup("a1", &v);
    EXPECT_EQ(v, "3");
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
}

TEST(Document, NewDocumentState) {
    Cvyn8_rk47Doc doc;
    EXPECT_EQ(doc.RecordCount(), 0);
    EXPECT_TRUE(doc.m_inventory.IsEmpty());
    EXPECT_EQ(doc.m_nOpenState, 351);
    EXPECT_EQ(doc.m_nSaveState, 353);
    EXPECT_EQ(doc.m_sensitivities.size(), 50);
    EXPECT_EQ(doc.m_strExt[0], "txt");
    EXPECT_EQ(doc.m_strExt[1], "xls");
    cParam* rec = doc.AddRecord("A1");
    EXPECT_EQ(rec->m_strIdBarcode, "A1");
    EXPECT_TRUE(rec->m_strSeed.isEmpty() && rec->m_strTotalQuantity.isEmpty());
    const unsigned generation = doc.m_nGeneration;
    doc.DiscardRecords();
    EXPECT_EQ(doc.RecordCount(), 0);
    EXPECT_NE(doc.m_nGeneration, generation);
}
