#include <gtest/gtest.h>

#include "data/Cvyn8_rk47Doc.h"
#include "data/RecordFile.h"
#include "support/TestSupport.h"

TEST(DefaultRecordFile, KeepsItsOwnFieldOrder) {
    TempWorkDir dir;
    Cvyn8_rk47Doc doc;
    cParam* r = doc.AddRecord("A1");
    r->m_strSeed = "Wheat";
    r->m_strPackNo = "5";
    r->m_strNumPerPacket = "20";
    r->m_strInventory = "37";
    r->m_strTotalQuantity = "137";
    r->m_strLocation = "Shelf 3";
    r->m_strComment = QString::fromUtf8("lot é");
    ASSERT_TRUE(WriteRecordFile(dir.Path("d.txt"), doc.m_records, RecordFieldOrder::Shutdown));
    EXPECT_EQ(dir.Read("d.txt"), QByteArray("A1\tWheat\t5\t20\tShelf 3\tlot \xE9\t37\t137\r\n"));
    ASSERT_TRUE(WriteRecordFile(dir.Path("r.txt"), doc.m_records, RecordFieldOrder::Record));
    EXPECT_EQ(dir.Read("r.txt"), QByteArray("A1\tWheat\t5\t20\t37\t137\tShelf 3\tlot \xE9\r\n"));
}
