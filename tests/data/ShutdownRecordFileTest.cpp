#include <gtest/gtest.h>

#include <QDateTime>

#include "data/Cvyn8_rk47Doc.h"
#include "data/EarlierRecords.h"
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

TEST(DefaultRecordFile, AnEarlierRunsRecordsAreKeptUnderADatedNameNeverOverwritten) {
    TempWorkDir dir;
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 30));
    const QByteArray earlier = "A1\tWheat\t5\t20\t\t\t37\t137\r\n";
    struct Case {
        QByteArray content;  // of VYN8_Default.txt; null: no such file
        EarlierRecords result;
        QString keptName;
    };
    const Case cases[] = {
        {QByteArray(), EarlierRecords::None, QString()},
        {"", EarlierRecords::None, QString()},
        {earlier, EarlierRecords::Kept, "VYN8_Default-2026-12-07-0930.txt"},
        // That name is taken now: the next free one.
        {earlier + earlier, EarlierRecords::Kept, "VYN8_Default-2026-12-07-0930-2.txt"},
    };
    for (const Case& c : cases) {
        if (!c.content.isNull()) {
            dir.Write("VYN8_Default.txt", c.content);
        }
        QString kept;
        QString error;
        EXPECT_EQ(KeepEarlierRecordFile(dir.Path("VYN8_Default.txt"), at, &kept, &error), c.result)
            << error.toStdString();
        if (c.result == EarlierRecords::Kept) {
            EXPECT_EQ(kept, dir.Path(c.keptName));
            EXPECT_EQ(dir.Read(c.keptName), c.content);
            EXPECT_FALSE(dir.Exists("VYN8_Default.txt"));
        }
    }
    EXPECT_EQ(dir.Read("VYN8_Default-2026-12-07-0930.txt"), earlier);
}
