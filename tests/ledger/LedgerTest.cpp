#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "ledger/LedgerFixture.h"
#include "support/CaseName.h"

namespace {

using Kind = InventoryChangeKind;

// What a final sample reports, and the one transaction each change becomes.
struct FiguresCase {
    const char* name;
    FinalFigures figures;
    QString expectKind;
    QString expectBefore;
    QString expectAfter;
    int expectRecord;
};

class LedgerRecordsFigures : public LedgerFixture,
                             public ::testing::WithParamInterface<FiguresCase> {};

TEST_P(LedgerRecordsFigures, OneTransactionPerChangeWithItsValues) {
    auto ledger = MakeLedger();
    ASSERT_FALSE(ledger->Start(Inventory({{"S1", "40"}})).problem.IsProblem());
    const FiguresCase& c = GetParam();
    ASSERT_FALSE(ledger->Record(c.figures).IsProblem());
    const auto history = ledger->History(c.figures.inventory.front().id);
    const auto& last = history.back();
    EXPECT_EQ(KindName(last.kind), c.expectKind);
    EXPECT_EQ(last.before, c.expectBefore);
    EXPECT_EQ(last.after, c.expectAfter);
    EXPECT_EQ(last.record, c.expectRecord);
    EXPECT_EQ(last.station, "lab-a");
    EXPECT_EQ(last.operatorName, "ana");
    EXPECT_TRUE(QDateTime::fromString(last.time, Qt::ISODateWithMs).isValid())
        << last.time.toStdString();
    LedgerProblem problem;
    // The opening balance and one transaction per change, nothing more.
    EXPECT_EQ(ledger->Store()->Count(&problem),
              1 + static_cast<qint64>(c.figures.inventory.size()));
    EXPECT_EQ(ledger->Balance(last.sampleId), std::optional<QString>(c.expectAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LedgerRecordsFigures,
    ::testing::Values(FiguresCase{"totalize count",
                                  {{0}, {{"S1", Kind::CountResult, "40", "37", 0}}},
                                  "count result",
                                  "40",
                                  "37",
                                  1},
                      FiguresCase{"dump of a new ID",
                                  {{3}, {{"S2", Kind::DumpResult, "", "12", 3}}},
                                  "dump result",
                                  "",
                                  "12",
                                  4},
                      FiguresCase{"incomplete packet",
                                  {{1, 2}, {{"S1", Kind::IncompletePacket, "40", "0", 2}}},
                                  "incomplete packet",
                                  "40",
                                  "0",
                                  3},
                      FiguresCase{"two changes of one sample",
                                  {{5},
                                   {{"S1", Kind::IncompletePacket, "40", "0", 5},
                                    {"S1", Kind::DumpResult, "0", "8", 5}}},
                                  "dump result",
                                  "0",
                                  "8",
                                  6}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

class LedgerStartTest : public LedgerFixture {};

TEST_F(LedgerStartTest, OpeningBalancesOnceThenHandEditsBecomeCorrections) {
    {
        auto ledger = MakeLedger();
        const auto report = ledger->Start(Inventory({{"A", "10"}, {"B", "20"}, {"C", "5"}}));
        EXPECT_EQ(report.openingBalances, 3);
        EXPECT_TRUE(report.changedOutside.isEmpty());
        EXPECT_EQ(KindName(ledger->History("B").at(0).kind), "opening balance");
    }
    {
        auto ledger = MakeLedger();
        const auto report = ledger->Start(Inventory({{"A", "10"}, {"B", "20"}, {"C", "5"}}));
        EXPECT_EQ(report.openingBalances, 0);
        EXPECT_TRUE(report.changedOutside.isEmpty());
    }
    auto ledger = MakeLedger();
    // By hand: A changed, B taken out, D added.
    const auto report = ledger->Start(Inventory({{"A", "11"}, {"C", "5"}, {"D", "4"}}));
    EXPECT_EQ(report.openingBalances, 0);
    EXPECT_EQ(report.changedOutside, (QStringList{"A", "D", "B"}));
    const auto a = ledger->History("A");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1].kind, Kind::Correction);
    EXPECT_EQ(a[1].reason, kChangedOutsideReason);
    EXPECT_EQ(a[1].before, "10");
    EXPECT_EQ(a[1].after, "11");
    EXPECT_EQ(ledger->Balance("B"), std::optional<QString>(""));
    EXPECT_EQ(ledger->Balance("D"), std::optional<QString>("4"));
}

TEST_F(LedgerStartTest, CorrectionNeedsANumberAndAReason) {
    auto ledger = MakeLedger();
    ledger->Start(Inventory({{"A", "10"}}));
    EXPECT_EQ(ledger->Correct("A", "1x", "recount").detail, "Entry digit number !");
    EXPECT_EQ(ledger->Correct("A", "70000", "recount").detail, "Invalid Value !");
    EXPECT_EQ(ledger->Correct("A", "9", "  ").kind, LedgerProblem::Kind::Refused);
    EXPECT_EQ(ledger->Correct("A\tB", "9", "x").kind, LedgerProblem::Kind::Refused);
    ASSERT_FALSE(ledger->Correct("A", "9", "Nachzählung: 1 Tüte verschüttet").IsProblem());
    const auto history = ledger->History("A");
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].before, "10");
    EXPECT_EQ(history[1].after, "9");
    EXPECT_EQ(history[1].reason, "Nachzählung: 1 Tüte verschüttet");
}

// The file cannot be opened (a folder in its place): counting goes on, the
// transactions wait in order and are stored once the file can be made.
TEST_F(LedgerStartTest, UnopenableDatabaseKeepsTransactionsWaiting) {
    ASSERT_TRUE(QDir().mkpath(File()));
    auto ledger = MakeLedger();
    const auto report = ledger->Start(Inventory({{"A", "10"}}));
    EXPECT_EQ(report.problem.kind, LedgerProblem::Kind::CannotOpen);
    EXPECT_TRUE(report.problem.Message().contains(File()));
    EXPECT_TRUE(ledger->Record({{0}, {{"A", Kind::CountResult, "10", "6", 0}}}).IsProblem());
    EXPECT_TRUE(ledger->Record({{1}, {{"A", Kind::CountResult, "6", "2", 1}}}).IsProblem());
    EXPECT_EQ(ledger->Waiting().size(), 2u);
    EXPECT_EQ(ledger->Balance("A"), std::optional<QString>("2"));
    EXPECT_EQ(ledger->History("A").size(), 2u);

    ASSERT_TRUE(QDir(File()).removeRecursively());
    ASSERT_FALSE(ledger->Flush().IsProblem());
    EXPECT_TRUE(ledger->Waiting().empty());
    // The inventory file as the start found it comes first.
    const auto stored = ledger->History("A");
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].kind, Kind::OpeningBalance);
    EXPECT_EQ(stored[2].after, "2");
    EXPECT_EQ(stored[2].sequence, 3);
}

// Another program holds the write lock past the wait: Locked, then stored
// when it lets go.
TEST_F(LedgerStartTest, LockedDatabaseWaitsForTheOtherWriter) {
    auto ledger = MakeLedger(100);
    ASSERT_FALSE(ledger->Start(Inventory({})).problem.IsProblem());
    Other("BEGIN EXCLUSIVE");
    const LedgerProblem locked = ledger->Record({{0}, {{"A", Kind::CountResult, "", "6", 0}}});
    EXPECT_EQ(locked.kind, LedgerProblem::Kind::Locked);
    Other("COMMIT");
    EXPECT_FALSE(ledger->Flush().IsProblem());
    EXPECT_EQ(ledger->History("A").at(0).sequence, 1);
}

TEST_F(LedgerStartTest, DamagedDatabaseIsKeptAndANewOneStartsFromTheFile) {
    QFile damaged(File());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    const QByteArray garbage = QByteArray("not a ledger at all ").repeated(300);
    damaged.write(garbage);
    damaged.close();
    // Only a ledger that knows its file moves it aside.
    auto ledger = std::make_unique<Ledger>(Folder(), Identity());
    const auto report = ledger->Start(Inventory({{"A", "10"}, {"B", "3"}}));
    EXPECT_FALSE(report.problem.IsProblem()) << report.problem.Message().toStdString();
    ASSERT_FALSE(report.damagedKeptAs.isEmpty());
    EXPECT_TRUE(QFileInfo(report.damagedKeptAs).fileName().startsWith("vyn8_ledger.damaged-"));
    QFile kept(report.damagedKeptAs);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    EXPECT_EQ(report.openingBalances, 2);
    const auto a = ledger->History("A");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_TRUE(a[0].reason.contains(QFileInfo(report.damagedKeptAs).fileName()));
}

// Another station's count reached the ledger from the lab's server after the
// file was written, and the console ended before writing it again: the start
// brings the file up without a word and takes nothing for a hand edit.
TEST_F(LedgerStartTest, FileBehindOnlyByOtherStationsIsCaughtUpQuietly) {
    QDateTime written;
    {
        auto ledger = MakeLedger();
        ledger->Start(Inventory({{"A", "10"}}), QDateTime());
        ASSERT_FALSE(ledger->Record({{0}, {{"A", Kind::CountResult, "10", "37", 0}}}).IsProblem());
        QThread::msleep(5);
        written = QDateTime::currentDateTimeUtc();
        QThread::msleep(5);
        // The server received this station's count, then the other's.
        LedgerEntry own = ledger->History("A").back();
        own.id = 1;
        LedgerEntry other;
        other.id = 2;
        other.station = "lab-b";
        other.sequence = 1;
        other.time = LedgerTimeText(written.addSecs(-60));  // its clock is behind
        other.operatorName = "bo";
        other.sampleId = "A";
        other.before = "10";
        other.after = "50";
        QStringList changed;
        ASSERT_FALSE(ledger->TakeFromServer({own, other}, "read", &changed).IsProblem());
    }
    auto ledger = MakeLedger();
    const auto report = ledger->Start(Inventory({{"A", "37"}}), written);
    EXPECT_TRUE(report.fileBehind.isEmpty());
    EXPECT_EQ(report.labBehind, QStringList{"A"});
    EXPECT_TRUE(report.changedOutside.isEmpty());
    QString current;
    EXPECT_TRUE(report.current.Lookup("A", &current) && current == "50");
    EXPECT_EQ(ledger->Balance("A"), std::optional<QString>("50"));
}

// A count is kept, the console ends, and the next start finds the file: as
// written before the count (killed before it wrote it again), or changed after.
struct RestartCase {
    const char* name;
    bool fileAtFirst;     // the first start found a file holding A=10
    int fileWrittenSecs;  // seconds from the count; 0: no file at all
    QStringList behind;
    QStringList changedOutside;
    QString balance;
};

class LedgerRestart : public LedgerFixture, public ::testing::WithParamInterface<RestartCase> {};

TEST_P(LedgerRestart, FileBehindTheLedgerIsBroughtUpToItAndAChangedOneIsAnEdit) {
    const RestartCase& c = GetParam();
    const QDateTime count = QDateTime::currentDateTimeUtc();
    const InventoryMap file =
        c.fileAtFirst ? Inventory({{"A", "10"}, {"B", "20"}}) : InventoryMap();
    const auto writtenAt = [&](int secs) { return secs ? count.addSecs(secs) : QDateTime(); };
    {
        auto ledger = MakeLedger();
        ledger->Start(file, writtenAt(c.fileAtFirst ? -3600 : 0));
        ASSERT_FALSE(
            ledger->Record({{0}, {{"A", Kind::CountResult, c.fileAtFirst ? "10" : "", "37", 0}}})
                .IsProblem());
    }
    auto ledger = MakeLedger();
    const auto report = ledger->Start(file, writtenAt(c.fileWrittenSecs));
    EXPECT_EQ(report.fileBehind, c.behind);
    EXPECT_EQ(report.changedOutside, c.changedOutside);
    EXPECT_EQ(ledger->Balance("A"), std::optional<QString>(c.balance));
    QString current;
    EXPECT_EQ(report.current.Lookup("A", &current) ? current : QString(),
              c.behind.isEmpty() ? QString() : c.balance);
}

INSTANTIATE_TEST_SUITE_P(
    Each, LedgerRestart,
    ::testing::Values(RestartCase{"killed after the count", true, -3600, {"A"}, {}, "37"},
                      RestartCase{"edited after the count", true, 60, {}, {"A"}, "10"},
                      RestartCase{"killed on the first day", false, 0, {"A"}, {}, "37"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
