// Three counting stations share the lab's server: each counts samples of the
// same seven IDs against a counter of its own, all at the same time. After
// each has been started once more, and a fourth has joined, the server holds
// every count once, and every station's ledger and inventory file give each
// ID the balance the server gives it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <set>

#include "data/InventoryFile.h"
#include "e2e/DrillStation.h"
#include "ledger/Ledger.h"
#include "ledger/PgCluster.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/SqliteLedgerStore.h"
#include "link/SimHarness.h"
#include "support/TestSupport.h"

namespace {

constexpr int kStations = 3;
constexpr int kPerStation = 14;  // each of the seven IDs twice

using Balances = std::map<QString, QString>;

Balances Sorted(const InventoryMap& map) {
    Balances out;
    for (const auto& [id, value] : map) {
        out[id] = value;
    }
    return out;
}

// A station: its data folder with settings naming the server, its counter.
struct Station {
    QTemporaryDir dir;
    std::unique_ptr<SimProcess> counter;
    QProcess drill;

    Station(const QString& conninfo) {
        Write("SeedPara.txt", kThreeSeedSets);
        QDir(dir.path()).mkpath("config/Quilvane Inc.");
        Write("config/Quilvane Inc./vyn8_rk47.conf",
              ("[Ledger]\nServer=" + conninfo + "\n").toUtf8());
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Starts the station on samples from..to (none: started and closed).
    void Start(const QString& name, int from, int to) {
        if (from < to) {
            Write("script.txt", DrillCounterScript(from, to));
            counter =
                std::make_unique<SimProcess>(QStringList{"--script", dir.filePath("script.txt")});
            ASSERT_TRUE(counter->Started());
        }
        StartDrill(drill, dir.path(), from < to ? counter->Link() : QString(), from, to, name);
        ASSERT_TRUE(drill.waitForStarted(5000));
    }
    // Waits for the drill; its "kept" lines.
    QStringList Finish() {
        EXPECT_TRUE(drill.waitForFinished(120000));
        EXPECT_EQ(drill.exitCode(), 0) << drill.readAllStandardError().toStdString();
        return QString::fromLatin1(drill.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
};

TEST(LabStations, CountTheSameIdsAtOnceAndAgreeOnEveryBalance) {
    PgCluster cluster;
    if (cluster.Missing()) {
        GTEST_SKIP() << cluster.Problem().toStdString();
    }
    ASSERT_TRUE(cluster.Problem().isEmpty()) << cluster.Problem().toStdString();
    ASSERT_EQ(cluster.Admin("postgres", "CREATE DATABASE lab"), "");
    const QString conninfo = cluster.Conninfo("lab");
    LedgerProblem problem;
    ASSERT_FALSE(PgLedgerStore::InitServer(conninfo).IsProblem());

    std::vector<std::unique_ptr<Station>> stations;
    for (int s = 0; s < kStations; ++s) {
        stations.push_back(std::make_unique<Station>(conninfo));
        ASSERT_NO_FATAL_FAILURE(stations[s]->Start(QString("lab-%1").arg(char('a' + s)),
                                                   s * kPerStation, (s + 1) * kPerStation));
    }
    std::multiset<std::pair<QString, QString>> kept;
    for (auto& station : stations) {
        for (const QString& line : station->Finish()) {
            const QStringList f = line.split(' ');
            ASSERT_EQ(f.size(), 4) << line.toStdString();
            kept.emplace(f[2], f[3]);
        }
    }
    ASSERT_EQ(kept.size(), static_cast<size_t>(kStations * kPerStation));
    // Started once more, each reads what the others sent after it closed;
    // a fourth station that joins now reads it all while its window is open.
    stations.push_back(std::make_unique<Station>(conninfo));
    for (int s = 0; s <= kStations; ++s) {
        ASSERT_NO_FATAL_FAILURE(stations[s]->Start(QString("lab-%1").arg(char('a' + s)), 0, 0));
        stations[s]->Finish();
    }

    auto server = PgLedgerStore::Open(conninfo, &problem);
    ASSERT_TRUE(server) << problem.Message().toStdString();
    std::multiset<std::pair<QString, QString>> counted;
    server->ForEach([&](const LedgerEntry& e) {
        EXPECT_NE(e.kind, InventoryChangeKind::Correction) << "no count taken for a hand edit";
        if (e.kind == InventoryChangeKind::CountResult) {
            counted.emplace(e.sampleId, e.after);
        }
        return true;
    });
    EXPECT_EQ(counted, kept) << "every count on the server once";
    EXPECT_TRUE(server->SequenceGaps(&problem).isEmpty());
    const Balances lab = Sorted(server->Balances(&problem));
    ASSERT_EQ(lab.size(), 7u);
    for (auto& station : stations) {
        auto local = SqliteLedgerStore::Open(station->dir.filePath(kLedgerFileName), &problem);
        ASSERT_TRUE(local) << problem.Message().toStdString();
        EXPECT_EQ(local->Count(&problem), server->Count(&problem));
        EXPECT_EQ(Sorted(local->Balances(&problem)), lab);
        InventoryMap file;
        ASSERT_TRUE(LoadInventoryFile(station->dir.filePath(kInventoryFileName), file));
        EXPECT_EQ(Sorted(file), lab) << station->dir.path().toStdString();
    }
}

}  // namespace
