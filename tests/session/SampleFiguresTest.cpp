// Whichever way a sample ends, its records, inventory and total add up to
// the counts the counter sent: one table of flows, each with the records
// and the inventory it must leave.

#include <functional>

#include "session/SessionHarness.h"

namespace {

struct FiguresCase {
    const char* name;
    std::function<void(SessionHarness&)> flow;
    std::vector<RecordRow> records;  // ID, PackNo, Num/P, Inventory, Total, Comment
    QString id;                      // the ID whose stored inventory is checked
    QString inventory;
};

// Rows 2 x 10 and 1 x 5, counted to their end (the dump not yet sent).
void SeriesOfTwoTensAndAFive(SessionHarness& h, const QString& id) {
    h.Series(id, {{"2", "10"}, {"1", "5"}});
    h.Counts("10", "1");
    h.Counts("10", "2");
    h.Says("BatchF");
    h.Counts("5", "1");
    h.Says("BatchF");
}

// A row of 3 x 10: two packets full, 4 seeds in the third.
void ThirdPacketOfThreeTensAtFour(SessionHarness& h) {
    h.Series("B2", {{"3", "10"}});
    h.Counts("10", "1");
    h.Counts("10", "2");
    h.Counts("4", "3");
}

void Totalize200ThenDump(SessionHarness& h) {
    h.Scan("T1");
    h.Counts("200", "1");
    h.session.Dump();
}

const FiguresCase kCases[] = {
    {"TotalizeDone",
     [](SessionHarness& h) {
         h.Scan("T1");
         h.Counts("120", "1");
         h.session.Done();
     },
     {{"T1", "0", "120", "120", "120", ""}},
     "T1",
     "120"},
    {"TotalizeDumpAnswered",
     [](SessionHarness& h) {
         Totalize200ThenDump(h);
         h.Counts("230", "1");
         h.Says("Dump");
     },
     {{"T1", "0", "230", "230", "230", ""}},
     "T1",
     "230"},
    {"BatchSeriesDumpedAtItsEnd",
     [](SessionHarness& h) {
         SeriesOfTwoTensAndAFive(h, "B1");
         h.session.Dump();
         h.DumpAnswer("7");
     },
     {{"B1", "2", "10", "", "", ""}, {"B1", "1", "5", "7", "32", ""}},
     "B1",
     "7"},
    {"DumpInTheMiddleOfABatchRow",
     [](SessionHarness& h) {
         ThirdPacketOfThreeTensAtFour(h);
         h.session.Dump();
         h.DumpAnswer("9");
     },
     {{"B2", "2", "10", "", "", ""}, {"B2", "1", "4", "9", "33", "InComplete"}},
     "B2",
     "9"},
    {"CountersOwnDumpInTheMiddleOfABatchRow",
     [](SessionHarness& h) {
         ThirdPacketOfThreeTensAtFour(h);
         h.DumpAnswer("9");
     },
     {{"B2", "2", "10", "", "", ""}, {"B2", "1", "4", "9", "33", "InComplete"}},
     "B2",
     "9"},
    {"DumpInTheSecondRowOfASeries",
     [](SessionHarness& h) {
         h.Series("B3", {{"2", "10"}, {"3", "5"}});
         h.Counts("10", "1");
         h.Counts("10", "2");
         h.Says("BatchF");
         h.Counts("5", "1");
         h.Counts("2", "2");
         h.session.Dump();
         h.DumpAnswer("9");
     },
     {{"B3", "2", "10", "", "", ""},
      {"B3", "1", "5", "", "", ""},
      {"B3", "1", "2", "9", "36", "InComplete"}},
     "B3",
     "9"},
    {"CounterResetWhileATotalizeDumpIsAwaited",
     [](SessionHarness& h) {
         Totalize200ThenDump(h);
         h.Says("Reset");
         h.Counts("230", "1");
         h.Says("Dump");
     },
     {{"T1", "0", "230", "230", "230", ""}},
     "T1",
     "230"},
    {"RepeatThenDoneBeforeAnyCount",
     [](SessionHarness& h) {
         h.SetAutoDump(false);
         SeriesOfTwoTensAndAFive(h, "R1");
         h.session.Repeat();
         h.session.Done();
     },
     {{"R1", "2", "10", "", "", ""},
      {"R1", "1", "5", "", "", ""},
      {"R1", "1", "0", "0", "25", "InComplete"}},
     "R1",
     "0"},
    {"CountersRepeatThenDoneBeforeAnyCount",
     [](SessionHarness& h) {
         h.SetAutoDump(false);
         SeriesOfTwoTensAndAFive(h, "R1");
         h.Says("Repeat");
         h.session.Done();
     },
     {{"R1", "2", "10", "", "", ""},
      {"R1", "1", "5", "", "", ""},
      {"R1", "1", "0", "0", "25", "InComplete"}},
     "R1",
     "0"},
    {"LateDumpAnswerAfterTheNextTotalizeSampleStarted",
     [](SessionHarness& h) {
         Totalize200ThenDump(h);
         h.CloseDumpNotice();
         h.Scan("T2");
         h.Counts("230", "1");
         h.Says("Dump");
         h.Counts("50", "1");
         h.session.Done();
     },
     {{"T1", "0", "230", "230", "230", ""}, {"T2", "0", "50", "50", "50", ""}},
     "T2",
     "50"},
    {"LateDumpAnswerAfterTheNextBatchSeriesStarted",
     [](SessionHarness& h) {
         Totalize200ThenDump(h);
         h.CloseDumpNotice();
         h.Series("B4", {{"2", "10"}});
         h.Counts("3", "0");
         h.Counts("230", "1");
         h.Says("Dump");
         h.Counts("4", "1");
         h.session.Done();
     },
     {{"T1", "0", "230", "230", "230", ""}, {"B4", "1", "4", "0", "4", "InComplete"}},
     "T1",
     "230"},
    {"LineLostMidTotalizeKeepsTheStoredInventory",
     [](SessionHarness& h) {
         h.doc.m_inventory.Set("T1", "75");
         h.Scan("T1");
         h.Counts("40", "1");
         h.session.LineLost("test");
     },
     {{"T1", "0", "40", "", "40", ""}},
     "T1",
     "75"},
    {"CounterStartWithNothingProgrammedThenReset",
     [](SessionHarness& h) {
         h.Scan("T1");
         h.Counts("60", "1");
         h.session.Done();
         h.Says("Start");
         h.Counts("25", "1");
         h.Says("Reset");
     },
     {{"T1", "0", "60", "60", "60", ""}},
     "T1",
     "60"},
};

class SampleFigures : public ::testing::TestWithParam<FiguresCase> {};

TEST_P(SampleFigures, RecordsAndInventoryAddUpToTheCountsSent) {
    const FiguresCase& c = GetParam();
    SessionHarness h;
    c.flow(h);
    EXPECT_EQ(h.Records(), c.records);
    EXPECT_EQ(h.Inventory(c.id), c.inventory);
    for (const RecordRow& r : h.Records()) {
        EXPECT_GE(r[1].toInt(), 0) << "no negative packet number";
        EXPECT_GE(r[4].toInt(), 0) << "no negative total";
    }
}

INSTANTIATE_TEST_SUITE_P(Flows, SampleFigures, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
