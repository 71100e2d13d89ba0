// The record-level pieces of the workbook reader: shared texts split across
// CONTINUE records as other writers split them, and the date rules.

#include <gtest/gtest.h>

#include <QByteArray>

#include "data/excel/BiffInput.h"
#include "data/excel/BiffStream.h"
#include "data/excel/ExcelError.h"
#include "data/excel/PythonSheets.h"
#include "data/excel/XlsValues.h"

namespace {

// The header of a shared string table holding `unique` texts.
QByteArray SstHead(unsigned unique) {
    QByteArray b;
    biff::PutU32(b, unique);
    biff::PutU32(b, unique);
    return b;
}

QByteArray TextHead(unsigned count, unsigned flags) {
    QByteArray b;
    biff::PutU16(b, count);
    biff::PutU8(b, flags);
    return b;
}

QByteArray Wide(const QString& s) {
    QByteArray b;
    biff::PutChars(b, s, true);
    return b;
}

struct SstCase {
    const char* what;
    std::vector<QByteArray> records;  // SST data, then each CONTINUE's data
    QStringList texts;                // empty: the table is refused
};

}  // namespace

TEST(BiffSharedStrings, TextsSplitAcrossContinueRecordsReadWhole) {
    const QString cjk = QString::fromUtf8("中文");
    QByteArray richHead = TextHead(5, 0x0C);  // runs and a phonetic block follow
    biff::PutU16(richHead, 2);
    biff::PutU32(richHead, 6);
    const std::vector<SstCase> cases = {
        {"compressed text goes on as UTF-16 behind a flags byte",
         {SstHead(2) + TextHead(4, 0) + "ab", "\x01" + Wide(cjk) + TextHead(1, 0) + "z"},
         {"ab" + cjk, "z"}},
        {"UTF-16 text goes on compressed",
         {SstHead(1) + TextHead(3, 1) + Wide(cjk), QByteArray("\x00", 1) + "e"},
         {cjk + "e"}},
        {"a header at the very end of a record: the characters start behind flags",
         {SstHead(1) + TextHead(2, 0), QByteArray("\x00", 1) + "ok"},
         {"ok"}},
        {"runs and a phonetic block cross records without flags bytes",
         {SstHead(2) + richHead + "Hello" + "1234",
          "5678" + QByteArray(6, 'p') + TextHead(1, 0) + "x"},
         {"Hello", "x"}},
        {"a text over three records",
         {SstHead(1) + TextHead(9, 0) + "abc", QByteArray("\x00", 1) + "def",
          QByteArray("\x00", 1) + "ghi"},
         {"abcdefghi"}},
        {"an empty text takes no characters",
         {SstHead(2) + TextHead(0, 0) + TextHead(1, 0) + "q"},
         {"", "q"}},
        {"a text cut short is refused", {SstHead(1) + TextHead(9, 0) + "abc"}, {}},
        {"a UTF-16 character split between records is refused",
         {SstHead(1) + TextHead(2, 1) + "a", QByteArray("\x01\x00", 2) + "b"},
         {}},
        {"runs promised but missing are refused", {SstHead(1) + richHead + "Hello"}, {}},
    };
    for (const SstCase& c : cases) {
        std::vector<QByteArrayView> parts(c.records.begin(), c.records.end());
        if (c.texts.isEmpty()) {
            EXPECT_THROW(biff::ReadSharedStrings(parts), UnreadableWorkbookError) << c.what;
        } else {
            EXPECT_EQ(biff::ReadSharedStrings(parts), c.texts) << c.what;
        }
    }
}

TEST(BiffSharedStrings, RecordsRunningPastTheStreamAreRefused) {
    QByteArray stream;
    biff::PutRecord(stream, 0x0809, QByteArray(16, '\0'));
    biff::Record r;
    biff::RecordCursor whole(stream, 0);
    ASSERT_TRUE(whole.Next(r));
    EXPECT_EQ(r.data.size(), 16);
    EXPECT_FALSE(whole.Next(r));
    for (qsizetype cut : {stream.size() - 1, qsizetype(3)}) {
        biff::RecordCursor cutShort(QByteArrayView(stream).first(cut), 0);
        EXPECT_THROW(cutShort.Next(r), UnreadableWorkbookError) << cut;
    }
    EXPECT_THROW(biff::RecordCursor(stream, stream.size() + 1), UnreadableWorkbookError);
    EXPECT_THROW(biff::U32(r.data, 13), UnreadableWorkbookError);
}

TEST(XlsValues, NumberFormatsThatShowDatesAndTimes) {
    const std::vector<std::pair<const char*, DateKind>> codes = {
        {"YYYY-MM-DD", DateKind::Date},
        {"[$-409]mmmm d, yyyy", DateKind::Date},
        {"d\\-m", DateKind::Date},
        {"HH:MM:SS", DateKind::Time},
        {"[mm]:ss", DateKind::Time},
        {"h AM/PM", DateKind::Time},
        {"dd/mm/yyyy hh:mm", DateKind::DateTime},
        {"yyyy", DateKind::None},  // a lone part is no date
        {"mmm", DateKind::None},
        {"0.0 d", DateKind::None},
        {"\"Day\" 0", DateKind::None},  // quoted text
        {"[Red]0", DateKind::None},     // a colour
        {"General", DateKind::None},
    };
    for (const auto& [code, kind] : codes) {
        EXPECT_EQ(DateKindOf(code), kind) << code;
    }
    EXPECT_EQ(BuiltinDateKind(14), DateKind::Date);
    EXPECT_EQ(BuiltinDateKind(22), DateKind::DateTime);
    EXPECT_EQ(BuiltinDateKind(46), DateKind::Time);
    EXPECT_EQ(BuiltinDateKind(2), DateKind::None);
}

TEST(XlsValues, DayNumbersOfBothDateSystems) {
    struct Case {
        double serial;
        bool from1904;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {45360.604, false, "2024-03-09 14:29:46"},  // to the nearest second
             {45360.9999999, false, "2024-03-10 00:00:00"},
             {59, false, "1900-02-28 00:00:00"},
             {60, false, "1900-02-29 00:00:00"},  // the 1900 system's false leap day
             {61, false, "1900-03-01 00:00:00"},
             {0.25, false, "1900-01-01 06:00:00"},
             {2958465, false, "9999-12-31 00:00:00"},
             {0, true, "1904-01-01 00:00:00"},
             {43898, true, "2024-03-09 00:00:00"},
             {2958466, false, ""},  // past the year 9999: no date
             {-0.5, false, ""},
         }) {
        EXPECT_EQ(DateText(c.serial, DateKind::DateTime, c.from1904), c.text) << c.serial;
    }
    EXPECT_EQ(DateText(45360.5, DateKind::Date, false), "2024-03-09");
    EXPECT_EQ(DateText(45360.5, DateKind::Time, false), "12:00:00");
}
