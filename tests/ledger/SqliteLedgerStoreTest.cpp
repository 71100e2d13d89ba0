#include <QFile>
#include <QSqlError>

#include "ledger/LedgerFixture.h"
#include "ledger/SqliteLedgerSchema.h"

namespace {

LedgerEntry Entry(const QString& station, const QString& id, const QString& after) {
    LedgerEntry e;
    e.station = station;
    e.time = "2026-12-08T06:00:00.000Z";
    e.operatorName = "ana";
    e.sampleId = id;
    e.after = after;
    return e;
}

LedgerEntry Opening(const QString& station, const QString& id, const QString& after) {
    LedgerEntry e = Entry(station, id, after);
    e.kind = InventoryChangeKind::OpeningBalance;
    return e;
}

// `e` as the lab's server gives it back: its number there and the station's.
LedgerEntry FromServer(qint64 serverId, LedgerEntry e, qint64 sequence) {
    e.id = serverId;
    e.sequence = sequence;
    return e;
}

class SqliteLedgerStoreTest : public LedgerFixture {};

TEST_F(SqliteLedgerStoreTest, NumbersEachStationOnItsOwnAndRefusesChanges) {
    LedgerProblem problem;
    auto store = SqliteLedgerStore::Open(File(), &problem);
    ASSERT_TRUE(store) << problem.Message().toStdString();
    std::vector<LedgerEntry> first{Entry("a", "X", "10"), Entry("b", "X", "7"),
                                   Entry("a", "Y", "3")};
    ASSERT_FALSE(store->Append(first).IsProblem());
    EXPECT_EQ(first[0].sequence, 1);
    EXPECT_EQ(first[1].sequence, 1);
    EXPECT_EQ(first[2].sequence, 2);
    EXPECT_EQ(store->Balance("X", &problem), std::optional<QString>("7"));
    EXPECT_EQ(store->Balance("Z", &problem), std::nullopt);

    // Written ahead in a log: WAL is a mode of the file, seen by every connection.
    QSqlQuery mode = Other("PRAGMA journal_mode");
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), "wal");
    mode.finish();  // an open statement would hold the other connection's writes back

    // Another program cannot change or delete a transaction.
    QSqlQuery update = Other("UPDATE inventory_transaction SET after = '99'");
    EXPECT_TRUE(update.lastError().isValid());
    QSqlQuery del = Other("DELETE FROM inventory_transaction");
    EXPECT_TRUE(del.lastError().isValid());
    EXPECT_EQ(store->Count(&problem), 3);
    EXPECT_EQ(store->Balances(&problem).GetCount(), 2);

    // A sequence another writer skipped shows as a gap.
    Other(
        "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id, kind,"
        " before, after, run, record, reason) VALUES ('a', 6, 't', 'o', 'X', 'count result',"
        " '', '1', '', 0, '')");
    EXPECT_EQ(store->SequenceGaps(&problem),
              QStringList{"station a: sequences 3 to 5 are missing"});
}

// Another station's transactions come from the lab's server: the order the
// server received them in sets the balances, what it has not received yet
// comes last, and an opening balance only opens an ID the lab did not know.
TEST_F(SqliteLedgerStoreTest, BalancesFollowTheLabServersOrder) {
    LedgerProblem problem;
    auto store = SqliteLedgerStore::Open(File(), &problem);
    ASSERT_TRUE(store) << problem.Message().toStdString();
    std::vector<LedgerEntry> own{Opening("a", "Z", "5"), Opening("a", "W", "6"),
                                 Entry("a", "X", "10"), Entry("a", "Y", "20")};
    ASSERT_FALSE(store->Append(own).IsProblem());
    // The server received a's X before b's, b's Y while a's was not sent,
    // b's opening balance of Z and b's count of W.
    const std::vector<LedgerEntry> read{
        FromServer(1, own[2], own[2].sequence), FromServer(2, Entry("b", "X", "11"), 1),
        FromServer(3, Entry("b", "Y", "21"), 2), FromServer(4, Opening("b", "Z", "7"), 3),
        FromServer(5, Entry("b", "W", "8"), 4)};
    QStringList changed;
    ASSERT_FALSE(store->TakeFromServer(read, "read from lab", &changed).IsProblem());
    EXPECT_EQ(changed, (QStringList{"X", "Y", "Z", "W"}));
    const auto shown = [&] {
        QStringList out;
        for (const auto& [id, value] : store->Balances(&problem)) {
            out << id + "=" + value;
        }
        return out.join(' ');
    };
    EXPECT_EQ(shown(), "Z=5 W=8 X=11 Y=20");

    // Read again (the note of the last one read was lost): nothing twice.
    changed.clear();
    ASSERT_FALSE(store->TakeFromServer(read, "read from lab", &changed).IsProblem());
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(store->Count(&problem), 8);
    // a's Y and its opening balances reach the server after b's: as before.
    ASSERT_FALSE(store
                     ->TakeFromServer({FromServer(6, own[3], own[3].sequence),
                                       FromServer(7, own[0], own[0].sequence)},
                                      "read from lab", &changed)
                     .IsProblem());
    EXPECT_EQ(shown(), "Z=5 W=8 X=11 Y=20");
    EXPECT_EQ(store->Note("read from lab", &problem), std::optional<QString>("7"));
    QStringList history;
    for (const LedgerEntry& e : store->History("Z", &problem)) {
        history << e.station + "=" + e.after;
    }
    EXPECT_EQ(history.join(' '), "b=7 a=5");
}

TEST_F(SqliteLedgerStoreTest, OlderSchemaIsMigratedNewerIsLeftAlone) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "old");
        db.setDatabaseName(File());
        ASSERT_TRUE(db.open());
        ASSERT_FALSE(MigrateSqliteLedger(db, 1).IsProblem());
        QSqlQuery(db).exec(
            "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id, kind,"
            " before, after, run, record, reason) VALUES ('a', 1, 't', 'o', 'X', 'count result',"
            " '', '12', 'r', 1, '')");
        db.close();
    }
    QSqlDatabase::removeDatabase("old");
    LedgerProblem problem;
    {
        auto store = SqliteLedgerStore::Open(File(), &problem);
        ASSERT_TRUE(store) << problem.Message().toStdString();
        EXPECT_FALSE(store->NoteSaved("r", {1}, "/data/run.txt").IsProblem());
        const auto history = store->History("X", &problem);
        ASSERT_EQ(history.size(), 1u);
        EXPECT_EQ(history[0].after, "12");
        EXPECT_EQ(history[0].SourceText(), "run r, record 1, saved in /data/run.txt");
    }
    QSqlQuery version = Other("PRAGMA user_version");
    ASSERT_TRUE(version.next());
    EXPECT_EQ(version.value(0).toInt(), kSqliteLedgerSchemaVersion);

    Other("PRAGMA user_version = 99");
    TearDown();
    EXPECT_FALSE(SqliteLedgerStore::Open(File(), &problem));
    EXPECT_EQ(problem.kind, LedgerProblem::Kind::NewerSchema);
    EXPECT_TRUE(problem.Message().contains(File()));
}

}  // namespace
