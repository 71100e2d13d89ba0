// A counting station killed (SIGKILL) at random moments while it counts 100
// samples against vyn8-counter, started again where it stopped each time:
// every count the window showed as kept is in the ledger, none twice beyond
// the one a kill may catch between the ledger and the window, and after one
// clean start and close `vyn8-ledger check` finds the ledger's sequences and
// balances and vyn8_inventory.txt in agreement.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <map>
#include <random>

#include "data/InventoryFile.h"
#include "data/InventoryMap.h"
#include "e2e/DrillStation.h"
#include "ledger/Ledger.h"
#include "ledger/PgCluster.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/SqliteLedgerStore.h"
#include "link/SimHarness.h"
#include "support/TestSupport.h"

namespace {

constexpr int kSamples = 100;
constexpr int kKills = 8;

// Runs the station on `folder` (settings of its own: no server unless the
// test writes one) for samples from..kSamples, killed after `killMs` (never
// when negative); returns its "kept" lines.
QStringList RunStation(const QString& folder, const QString& link, int from, int killMs,
                       bool* killed) {
    QProcess drill;
    StartDrill(drill, folder, link, from, link.isEmpty() ? from : kSamples);
    EXPECT_TRUE(drill.waitForStarted(5000));
    *killed = killMs >= 0 && !drill.waitForFinished(killMs);
    if (*killed) {
        drill.kill();
    }
    drill.waitForFinished(60000);
    const QString err = QString::fromLocal8Bit(drill.readAllStandardError());
    if (!*killed) {
        EXPECT_EQ(drill.exitCode(), 0) << err.toStdString();
    }
    return QString::fromLatin1(drill.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

class StationCrash : public ::testing::Test {
protected:
    StationCrash() { dir.Write("SeedPara.txt", kThreeSeedSets); }

    // Counts the 100 samples, the station killed at random moments up to
    // kKills times and started again where it stopped.
    void CountWithKills() {
        const unsigned seed = std::random_device{}();
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> killAfter(100, 700);  // 100 counts take over a second
        int next = 0;
        for (int run = 0; next < kSamples && run < 40; ++run) {
            dir.Write("script.txt", DrillCounterScript(next, kSamples));
            SimProcess sim({"--script", dir.Path("script.txt")});
            ASSERT_TRUE(sim.Started());
            bool killed = false;
            const QStringList lines =
                RunStation(folder, sim.Link(), next, kills < kKills ? killAfter(rng) : -1, &killed);
            kills += killed ? 1 : 0;
            for (const QString& line : lines) {
                const QStringList f = line.split(' ');
                ASSERT_EQ(f.size(), 4) << line.toStdString();
                ASSERT_EQ(f[1].toInt(), next) << "samples in order";
                kept.emplace_back(f[2], f[3]);
                lastKept[f[2]] = f[3];
                ++next;
            }
        }
        ASSERT_EQ(next, kSamples);
        ASSERT_GT(kills, 0);
    }
    // One clean start and close.
    void StartAndClose() {
        bool killed = false;
        RunStation(folder, QString(), kSamples, -1, &killed);
    }

    TempWorkDir dir;
    const QString folder = dir.Path("");
    std::map<QString, QString> lastKept;
    std::vector<std::pair<QString, QString>> kept;
    int kills = 0;
};

TEST_F(StationCrash, EveryKeptCountSurvivesKillNine) {
    ASSERT_NO_FATAL_FAILURE(CountWithKills());
    // The start brings the file up to the ledger.
    StartAndClose();
    QProcess check;
    check.start(QString(VYN8_BINARY_DIR) + "/tools/ledger/vyn8-ledger",
                {"--data-dir", folder, "check"});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString()
                                   << check.readAllStandardError().toStdString();

    InventoryMap file;
    ASSERT_TRUE(LoadInventoryFile(dir.Path(kInventoryFileName), file));
    for (const auto& [id, count] : lastKept) {
        QString value;
        EXPECT_TRUE(file.Lookup(id, &value) && value == count) << id.toStdString();
    }
    LedgerProblem problem;
    auto store = SqliteLedgerStore::Open(dir.Path(kLedgerFileName), &problem);
    ASSERT_TRUE(store) << problem.Message().toStdString();
    int counts = 0;
    std::multiset<std::pair<QString, QString>> stored;
    store->ForEach([&](const LedgerEntry& e) {
        EXPECT_NE(e.kind, InventoryChangeKind::Correction) << "no count taken for a hand edit";
        if (e.kind == InventoryChangeKind::CountResult) {
            stored.emplace(e.sampleId, e.after);
            ++counts;
        }
        return true;
    });
    for (const auto& k : kept) {
        EXPECT_EQ(stored.count(k) >= 1, true)
            << k.first.toStdString() << " " << k.second.toStdString();
    }
    EXPECT_GE(counts, static_cast<int>(kept.size()));
    EXPECT_LE(counts, static_cast<int>(kept.size()) + kills);
}

// The same with the lab's server: the station is killed while it sends, too.
// After one clean start and close the server holds exactly the station's
// transactions, in order: none lost, none twice.
TEST_F(StationCrash, TheLabServerGetsEachTransactionOnce) {
    PgCluster cluster;
    if (cluster.Missing()) {
        GTEST_SKIP() << cluster.Problem().toStdString();
    }
    ASSERT_TRUE(cluster.Problem().isEmpty()) << cluster.Problem().toStdString();
    ASSERT_EQ(cluster.Admin("postgres", "CREATE DATABASE lab"), "");
    ASSERT_TRUE(QDir().mkpath(dir.Path("config/Quilvane Inc.")));
    dir.Write("config/Quilvane Inc./vyn8_rk47.conf",
              ("[Ledger]\nServer=" + cluster.Conninfo("lab") + "\n").toUtf8());
    ASSERT_NO_FATAL_FAILURE(CountWithKills());
    StartAndClose();

    const auto listed = [](LedgerStore& store) {
        QStringList out;
        store.ForEach([&](const LedgerEntry& e) {
            out << QString("%1#%2 %3 %4").arg(e.station).arg(e.sequence).arg(e.sampleId, e.after);
            return true;
        });
        return out;
    };
    LedgerProblem problem;
    auto local = SqliteLedgerStore::Open(dir.Path(kLedgerFileName), &problem);
    auto server = PgLedgerStore::Open(cluster.Conninfo("lab"), &problem);
    ASSERT_TRUE(local && server) << problem.Message().toStdString();
    const QStringList own = listed(*local);
    EXPECT_GE(own.size(), static_cast<qsizetype>(kept.size()));
    EXPECT_EQ(listed(*server), own);
}

}  // namespace
