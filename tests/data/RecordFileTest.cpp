#include <gtest/gtest.h>

#include "data/RecordFile.h"
#include "platform/Text8.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::unique_ptr<cParam>> Records(std::initializer_list<std::array<QString, 8>> rows) {
    std::vector<std::unique_ptr<cParam>> out;
    for (const auto& r : rows) {
        out.push_back(std::make_unique<cParam>(r[0]));
        out.back()->SetFromRecordOrder(r);
    }
    return out;
}

std::vector<std::array<QString, 8>> ParseDisk(const QByteArray& onDisk) {
    return ParseRecords(text8::FromDisk(onDisk));
}

}  // namespace

TEST(RecordFile, WritesEightFieldsPerLineWithCrLf) {
    TempWorkDir dir;
    const auto records = Records(
        {{"A1", "Wheat", "1", "50", "900", "50", "Row 3", "ok"}, {"", "", "", "", "", "", "", ""}});
    ASSERT_TRUE(WriteRecordFile(dir.Path("r.txt"), records, RecordFieldOrder::Record));
    EXPECT_EQ(dir.Read("r.txt"), QByteArray("A1\tWheat\t1\t50\t900\t50\tRow 3\tok\r\n"
                                            "\t\t\t\t\t\t\t\r\n"));
}

TEST(RecordFile, ShutdownCopyPutsLocationAndCommentBeforeInventoryAndTotal) {
    const auto records = Records({{"ID", "Seed", "Pack", "NumP", "Inv", "Total", "Loc", "Com"}});
    EXPECT_EQ(FormatRecords(records, RecordFieldOrder::Shutdown),
              QByteArray("ID\tSeed\tPack\tNumP\tLoc\tCom\tInv\tTotal\n"));
}

TEST(RecordFile, NoFieldEverHoldsASeparator) {
    // Entry refuses these; the writer still never lets one end a field: a
    // TAB or line break is a space, a character outside Latin-1 (whose low
    // byte could be a TAB or LF) a '?'.
    const auto records =
        Records({{QString(QChar(0x00E9)), QString(QChar(0x4E2D)), QString(QChar(0x0109)),
                  QString(QChar(0x010A)), "a\tb", "c\r\nd", "", "e\n"}});
    EXPECT_EQ(FormatRecords(records, RecordFieldOrder::Record),
              QByteArray("\xE9\t?\t?\t?\ta b\tc  d\t\te \n"));
}

TEST(RecordFile, RecordIsEveryRunOfEightFieldsWhateverEndedThem) {
    const auto two = ParseDisk("a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\tn\to\tp\n");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0][0], "a");
    EXPECT_EQ(two[1][0], "i");
    EXPECT_EQ(two[1][7], "p");

    // A line of nine fields shifts the next record: its ninth field becomes
    // the next ID.
    const auto shifted = ParseDisk("1\t2\t3\t4\t5\t6\t7\t8\t9\r\nA\tB\tC\tD\tE\tF\tG\tH\r\n");
    ASSERT_EQ(shifted.size(), 2u);
    EXPECT_EQ(shifted[1][0], "9");
    EXPECT_EQ(shifted[1][7], "G");
}

TEST(RecordFile, LastRecordWithoutLineEndIsDroppedAndSaidSo) {
    bool incomplete = false;
    const auto read = ParseRecords(
        text8::FromDisk("1\t2\t3\t4\t5\t6\t7\t8\r\nA\tB\tC\tD\tE\tF\tG\tH"), &incomplete);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0][7], "8");
    EXPECT_TRUE(incomplete);
    // Fewer than eight ended fields are as incomplete; a whole file is not.
    ParseRecords("1\t2\t3\t4\t5\t6\t7\t8\nA\tB\n", &incomplete);
    EXPECT_TRUE(incomplete);
    ParseRecords("1\t2\t3\t4\t5\t6\t7\t8\n", &incomplete);
    EXPECT_FALSE(incomplete);
}

TEST(RecordFile, EveryAwkwardValueAllowedRoundTrips) {
    TempWorkDir dir;
    const QString accents =
        QString::fromUtf8("Ch\u00e2teau \u00e9t\u00e9 \u00c5\u00df\u00f1\u00ff");
    const QString longField = QString(254, QChar(0x00E9)) + 'x';  // 255 characters
    const std::vector<std::array<QString, 8>> rows = {
        {"O'Brien's", accents, "007", "=1+1", "", "0", longField, "it's \"quoted\""},
        {"", "", "", "", "", "", "", ""},
        {longField, "'", "-1", "1e5", " lead", "trail ", "=SUM(A1:A2)", accents},
    };
    std::vector<std::unique_ptr<cParam>> records;
    for (const auto& r : rows) {
        records.push_back(std::make_unique<cParam>(r[0]));
        records.back()->SetFromRecordOrder(r);
    }
    for (const auto order : {RecordFieldOrder::Record, RecordFieldOrder::Shutdown}) {
        ASSERT_TRUE(WriteRecordFile(dir.Path("r.txt"), records, order));
        std::vector<std::array<QString, 8>> read;
        bool incomplete = true;
        ASSERT_TRUE(ReadRecordFile(dir.Path("r.txt"), &read, nullptr, &incomplete));
        EXPECT_FALSE(incomplete);
        ASSERT_EQ(read.size(), rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            const auto expected =
                order == RecordFieldOrder::Record ? rows[i] : records[i]->ShutdownOrder();
            EXPECT_EQ(read[i], expected) << "record " << i;
        }
    }
}

TEST(RecordFile, UnreadableFileIsAFailureWithAReason) {
    TempWorkDir dir;
    std::vector<std::array<QString, 8>> read;
    QString error;
    EXPECT_FALSE(ReadRecordFile(dir.Path("missing.txt"), &read, &error));
    EXPECT_FALSE(error.isEmpty());
}
