// Entry and state rules of the count session: what a scan, a seed change,
// a save or the counter's own keys may and may not change.

#include "session/SessionHarness.h"

namespace {

TEST(SessionEntry, AScanOfNothingStartsNoSample) {
    SessionHarness h;
    h.Scan("");
    EXPECT_EQ(h.session.Rows().Count(), 0);
    EXPECT_TRUE(h.port.frames.empty());
    EXPECT_TRUE(h.session.IdEntryOpen());
}

TEST(SessionEntry, AnIdNotInTheLoadedListIsToldAndClearedForTheNextScan) {
    SessionHarness h;
    std::array<QString, RowTable::kColumns> row;
    row[RowTable::Id] = "L1";
    row[RowTable::PackNo] = "0";
    h.session.LoadRows({row});
    const unsigned cleared = h.session.Form().idClearSerial;
    h.Scan("X9");
    EXPECT_EQ(h.messages, QStringList{"No match ID !"});
    EXPECT_NE(h.session.Form().idClearSerial, cleared);
    h.Scan("L1");
    EXPECT_EQ(h.session.Run(), RunState::Counting);
}

TEST(SessionEntry, ACopiedSeriesTakesTheSeedSetChosenNow) {
    SessionHarness h;
    h.Series("W1", {{"1", "10"}});
    h.Counts("10", "1");
    h.Says("BatchF");
    h.session.Dump();
    h.DumpAnswer("5");
    h.CloseDumpNotice();
    ASSERT_TRUE(h.session.Form().sameAsPreviousChecked);
    h.session.ChooseSeed(1);
    h.port.frames.clear();
    h.Scan("W2");
    h.session.Start();
    const int last = h.session.Rows().Count() - 1;
    EXPECT_EQ(h.session.Rows().Cell(last, RowTable::Id), "W2");
    EXPECT_EQ(h.session.Rows().Cell(last, RowTable::Seed), "Barley");
    ASSERT_FALSE(h.port.frames.empty());
    EXPECT_TRUE(h.port.frames.front().contains("Barley"));
}

TEST(SessionEntry, TheCountersStartWithNothingProgrammedLeavesEntryOpen) {
    SessionHarness h;
    h.Scan("T1");
    h.Counts("60", "1");
    h.session.Done();
    h.Says("Start");
    EXPECT_TRUE(h.session.IdEntryOpen());
    h.port.frames.clear();
    h.Scan("T2");
    ASSERT_FALSE(h.port.frames.empty()) << "the next scan programs the counter";
}

TEST(SessionEntry, AfterTheCountersRepeatTheSeriesCanBeClosed) {
    SessionHarness h;
    h.SetAutoDump(false);
    h.Series("R1", {{"1", "10"}});
    h.Counts("10", "1");
    h.Says("BatchF");
    h.Says("Repeat");
    EXPECT_TRUE(h.session.Form().done.enabled);
    EXPECT_TRUE(h.session.Form().reset.enabled);
}

TEST(SessionRecords, ARecordMadeAfterASaveIsUnsavedWorkAgain) {
    SessionHarness h;
    h.Series("S1", {{"1", "10"}, {"1", "10"}});
    h.Counts("10", "1");
    h.Says("BatchF");
    h.doc.m_nSaveState = RECORDS_SAVED;  // saved in the middle of the series
    ASSERT_FALSE(h.doc.HoldsUnsavedWork());
    h.Counts("10", "1");
    h.Says("BatchF");
    EXPECT_TRUE(h.doc.HoldsUnsavedWork());
}

TEST(SessionRecords, ADumpAnswerAfterASaveMakesTheRecordsUnsavedAgain) {
    SessionHarness h;
    h.Scan("S2");
    h.Counts("40", "1");
    h.session.Dump();
    h.doc.m_nSaveState = RECORDS_SAVED;
    h.Counts("41", "1");
    h.Says("Dump");
    EXPECT_TRUE(h.doc.HoldsUnsavedWork());
    EXPECT_EQ(h.doc.m_records.at(0)->m_strInventory, "41");
}

}  // namespace

namespace {

TEST(SessionEntry, RowsBeyondTheLimitsAreRefusedWhole) {
    SessionHarness h;
    h.session.ChooseBatch();
    ASSERT_EQ(h.session.ScanId("A1"), EntryStep::AskRows);
    for (int i = 0; i < kMaxSampleRows; ++i) {
        h.session.AddEntryRow({"A1", "1", "10", QString(), QString()});
    }
    EXPECT_FALSE(h.session.RoomForRows(1));
    EXPECT_TRUE(h.messages.value(0).contains("at most 200 rows"));

    // A list that is nearly full takes no row more than it can hold.
    SessionHarness full;
    for (int i = 0; i < kMaxListRows - 2; ++i) {
        full.session.Rows().Append();
    }
    EXPECT_FALSE(full.session.RoomForRows(3));
    EXPECT_TRUE(full.messages.value(0).contains("at most 65100 rows"));
    EXPECT_EQ(full.session.Rows().Count(), kMaxListRows - 2);
}

}  // namespace
