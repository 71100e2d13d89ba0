// The one place where a sample's figures become final: every inventory
// change of a closed sample is reported once, with its value before and
// after, and the records it belongs to.

#include <functional>

#include "session/SessionHarness.h"

bool operator==(const InventoryChange& a, const InventoryChange& b) {
    return a.id == b.id && a.kind == b.kind && a.before == b.before && a.after == b.after &&
           a.recordIndex == b.recordIndex;
}

namespace {

struct FinalCase {
    const char* name;
    std::function<void(SessionHarness&)> flow;
    std::vector<InventoryChange> changes;  // recordIndex included
};

void PrintTo(const InventoryChange& c, std::ostream* os) {
    *os << c.id.toStdString() << " " << static_cast<int>(c.kind) << " " << c.before.toStdString()
        << "->" << c.after.toStdString() << " #" << c.recordIndex;
}

using K = InventoryChangeKind;

const FinalCase kCases[] = {
    {"TotalizeDone",
     [](SessionHarness& h) {
         h.Scan("T1");
         h.Counts("120", "1");
         h.session.Done();
     },
     {{"T1", K::CountResult, "80", "120", 0}}},
    {"TotalizeDumped",
     [](SessionHarness& h) {
         h.Scan("T1");
         h.Counts("120", "1");
         h.session.Dump();
         h.Counts("130", "1");
         h.Says("Dump");
     },
     {{"T1", K::DumpResult, "80", "130", 0}}},
    {"SeriesDumped",
     [](SessionHarness& h) {
         h.Series("T1", {{"1", "10"}});
         h.Counts("10", "1");
         h.Says("BatchF");
         h.session.Dump();
         h.DumpAnswer("6");
     },
     {{"T1", K::DumpResult, "80", "6", 0}}},
    {"SeriesClosedMidPacket",
     [](SessionHarness& h) {
         h.Series("T1", {{"2", "10"}});
         h.Counts("3", "1");
         h.session.Done();
     },
     {{"T1", K::IncompletePacket, "80", "0", 0}}},
    {"CutOffByALostLine",
     [](SessionHarness& h) {
         h.Scan("T1");
         h.Counts("40", "1");
         h.session.LineLost("test");
     },
     {}},
};

class FinalFiguresOf : public ::testing::TestWithParam<FinalCase> {};

TEST_P(FinalFiguresOf, EachInventoryChangeIsReportedOnceWithItsRecord) {
    SessionHarness h;
    h.doc.m_inventory.Set("T1", "80");
    GetParam().flow(h);
    std::vector<InventoryChange> changes;
    std::vector<int> records;
    for (const FinalFigures& f : h.finals) {
        changes.insert(changes.end(), f.inventory.begin(), f.inventory.end());
        records.insert(records.end(), f.recordIndices.begin(), f.recordIndices.end());
    }
    EXPECT_EQ(changes, GetParam().changes);
    // Every record made is reported final once.
    std::vector<int> all(h.doc.RecordCount());
    for (size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<int>(i);
    }
    std::sort(records.begin(), records.end());
    EXPECT_EQ(records, all);
}

INSTANTIATE_TEST_SUITE_P(Paths, FinalFiguresOf, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
