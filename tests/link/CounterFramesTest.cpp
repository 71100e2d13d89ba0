#include <gtest/gtest.h>

#include "link/CounterFrames.h"

using namespace frames;

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

}  // namespace

TEST(CounterFrames, EveryCommandFrameByteForByte) {
    const std::pair<const char*, const char*> table[] = {
        {"Start", "02431F537461727403"},
        {"Zero", "02431F5A65726F03"},
        {"Dump", "02431F44756D7003"},
        {"Stop", "02431F53746F7003"},
        {"Reset", "02431F526573657403"},
        {"Recycle", "02431F52656379636C6503"},
        {"Disconnect", "02431F446973636F6E6E65637403"},
    };
    for (const auto& [text, hex] : table) {
        EXPECT_EQ(Command(text).toHex(), Hex(hex).toHex()) << text;
    }
}

TEST(CounterFrames, FeedSpeedTextFollowsTheMarkUnchanged) {
    EXPECT_EQ(FeedSpeed("120"), Hex("02431F4D31323003"));
    // A row's Comment cell goes out exactly as typed, blanks and unit included.
    EXPECT_EQ(FeedSpeed(" 90 rpm"), Hex("02431F4D") + " 90 rpm" + Hex("03"));
}

TEST(CounterFrames, WheatProgramFrame) {
    ProgramFrameArgs a;
    a.seedName = "Wheat";
    a.rowsToCount = 1;
    a.rows = {{"20", "5"}};
    a.gateHor = "10";
    a.gateVer = "8";
    a.sensitivity = "5";
    a.feedSpeed = "120";
    EXPECT_EQ(Program(a), QByteArray("\x02P\x1FWheat\x1F"
                                     "1\x1F"
                                     "20\x1F"
                                     "5\x1F"
                                     "10\x1F"
                                     "8\x1F"
                                     "5\x1F"
                                     "120\x1FStart\x03"));
}

TEST(CounterFrames, ProgramListsEveryRowAndCutsLongTexts) {
    ProgramFrameArgs a;
    a.seedName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";  // 26 characters
    a.rowsToCount = 1;                          // the last of two rows is left
    a.rows = {{"1", "0"}, {"30", "2"}};
    a.gateHor = "1234567890";
    a.gateVer = "123456789";
    a.sensitivity = "abcdefghijkl";
    a.feedSpeed = "";
    EXPECT_EQ(Program(a), QByteArray("\x02P\x1F"
                                     "ABCDEFGHIJKLMNOPQRS\x1F"
                                     "1\x1F"
                                     "1\x1F"
                                     "0\x1F"
                                     "30\x1F"
                                     "2\x1F"
                                     "123456789\x1F"
                                     "123456789\x1F"
                                     "abcdefghi\x1F\x1FStart\x03"));
}

TEST(CounterFrames, CountFrameExampleDecodes) {
    const CounterMessage m = Decode(Hex("02641F313233341F371F03"));
    EXPECT_EQ(m.kind, CounterMessage::Count);
    EXPECT_EQ(m.count, "1234");
    EXPECT_EQ(m.packNo, "7");
}

TEST(CounterFrames, EventNamesAreTakenWhole) {
    EXPECT_EQ(Decode(EventFrame("BatchF")).event, "BatchF");
    EXPECT_EQ(Decode(EventFrame("start")).event, "start");  // case kept
    // Byte 2 is not examined.
    EXPECT_EQ(Decode("\x02"
                     "cXFull\x1F\x03")
                  .event,
              "Full");
    const QByteArray longest(kMaxEventName, 'x');
    EXPECT_EQ(Decode(EventFrame(longest)).event, longest);
}

TEST(CounterFrames, MalformedCounterFramesAreIgnored) {
    const QByteArray ignored[] = {
        EventFrame(QByteArray(kMaxEventName + 1, 'x')),  // name too long
        EventFrame(""),                                  // empty name
        "\x02"
        "c\x1FStart\x03",  // no separator after the name
        "\x02"
        "e\x1FStart\x1F\x03",  // unknown type
        "\x02"
        "c\x03",  // too short
        CountFrame("", "1"),
        CountFrame("1", ""),
        CountFrame(QByteArray(kMaxCountField + 1, '9'), "1"),
        CountFrame("1", QByteArray(kMaxCountField + 1, '9')),
        "\x02"
        "d\x1F"
        "12\x1F"
        "3\x03",  // packet field not closed
    };
    for (const QByteArray& f : ignored) {
        EXPECT_EQ(Decode(f).kind, CounterMessage::Ignored) << Readable(f).toStdString();
    }
}

TEST(CounterFrames, LongCountFieldsAreKeptShort) {
    const CounterMessage m = Decode(CountFrame("12345678901234567890", "123456"));
    ASSERT_EQ(m.kind, CounterMessage::Count);
    EXPECT_EQ(m.count, "123456789");
    EXPECT_EQ(m.packNo, "12345");
}

TEST(CounterFrames, ReadableNamesControlBytes) {
    EXPECT_EQ(Readable(Command("Zero") + "\x05\x06\x7F"), "<STX>C<US>Zero<ETX><ENQ><ACK><7f>");
}
