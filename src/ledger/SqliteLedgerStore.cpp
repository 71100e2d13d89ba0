#include "ledger/SqliteLedgerStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "ledger/SqliteLedgerSchema.h"

SqliteLedgerStore::SqliteLedgerStore(const QString& path)
    : SqlLedgerStore("QSQLITE"), m_path(path) {}

std::unique_ptr<SqliteLedgerStore> SqliteLedgerStore::Open(const QString& path,
                                                           LedgerProblem* problem,
                                                           int busyMilliseconds) {
    std::unique_ptr<SqliteLedgerStore> store(new SqliteLedgerStore(path));
    QSqlDatabase db = store->Db();
    db.setDatabaseName(path);
    if (!db.open()) {
        *problem = SqliteProblem(db, db.lastError());
        return nullptr;
    }
    QSqlQuery q(db);
    // The wait comes first: the journal mode itself may wait for another writer.
    q.exec(QString("PRAGMA busy_timeout = %1").arg(busyMilliseconds));
    if (!q.exec("PRAGMA journal_mode = WAL") || !q.next()) {
        *problem = SqliteProblem(db, q.lastError());
        return nullptr;
    }
    if (q.value(0).toString().compare("wal", Qt::CaseInsensitive) != 0) {
        *problem = {LedgerProblem::Kind::ReadOnly, path,
                    QString("journal mode %1 instead of WAL").arg(q.value(0).toString())};
        return nullptr;
    }
    if (!q.exec("PRAGMA synchronous = FULL") || !q.exec("PRAGMA foreign_keys = ON")) {
        *problem = SqliteProblem(db, q.lastError());
        return nullptr;
    }
    const LedgerProblem migrated = MigrateSqliteLedger(db);
    if (migrated.IsProblem()) {
        *problem = migrated;
        return nullptr;
    }
    return store;
}

LedgerProblem SqliteLedgerStore::Problem(const QSqlError& error) const {
    return SqliteProblem(Db(), error);
}

LedgerProblem SqliteLedgerStore::InTransaction(
    const std::function<LedgerProblem(QSqlQuery&)>& statements) {
    QSqlQuery q(Db());
    if (!q.exec("BEGIN IMMEDIATE")) {
        return Failed(q);
    }
    LedgerProblem problem = statements(q);
    if (!problem.IsProblem() && !q.exec("COMMIT")) {
        problem = Failed(q);
    }
    if (problem.IsProblem()) {
        QSqlQuery(Db()).exec("ROLLBACK");
    }
    return problem;
}

LedgerProblem SqliteLedgerStore::Append(std::vector<LedgerEntry>& entries) {
    std::vector<std::pair<qint64, qint64>> given;
    const LedgerProblem problem = InTransaction([&](QSqlQuery& q) {
        q.prepare(
            "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id,"
            " kind, before, after, run, record, reason)"
            " SELECT :station, COALESCE(MAX(sequence), 0) + 1, :time, :operator, :sample, :kind,"
            " :before, :after, :run, :record, :reason"
            " FROM inventory_transaction WHERE station = :station2"
            " RETURNING id, sequence");
        for (const LedgerEntry& e : entries) {
            q.bindValue(":station", Text(e.station));
            q.bindValue(":station2", Text(e.station));
            q.bindValue(":time", Text(e.time));
            q.bindValue(":operator", Text(e.operatorName));
            q.bindValue(":sample", Text(e.sampleId));
            q.bindValue(":kind", KindName(e.kind));
            q.bindValue(":before", Text(e.before));
            q.bindValue(":after", Text(e.after));
            q.bindValue(":run", Text(e.run));
            q.bindValue(":record", e.record);
            q.bindValue(":reason", Text(e.reason));
            if (!q.exec() || !q.next()) {
                return Failed(q);
            }
            given.emplace_back(q.value(0).toLongLong(), q.value(1).toLongLong());
            q.finish();
        }
        return LedgerProblem{};
    });
    if (!problem.IsProblem()) {
        for (size_t i = 0; i < entries.size(); ++i) {
            entries[i].id = given[i].first;
            entries[i].sequence = given[i].second;
        }
    }
    return problem;
}

LedgerProblem SqliteLedgerStore::TakeFromServer(const std::vector<LedgerEntry>& entries,
                                                const QString& readNote, QStringList* changed) {
    const QString now = LedgerTimeText(QDateTime::currentDateTimeUtc());
    QStringList fresh;
    const LedgerProblem problem = InTransaction([&](QSqlQuery& q) {
        QSqlQuery order(Db());
        order.prepare(
            "INSERT OR IGNORE INTO server_order (server_id, station, sequence, pulled)"
            " VALUES (?, ?, ?, ?)");
        PrepareNumberedInsert(q);
        for (const LedgerEntry& e : entries) {
            bool added = false;
            if (const LedgerProblem failed = InsertNumbered(q, e, &added); failed.IsProblem()) {
                return failed;
            }
            order.addBindValue(e.id);
            order.addBindValue(Text(e.station));
            order.addBindValue(e.sequence);
            // A transaction this file had already was kept when it was made.
            order.addBindValue(added ? QVariant(now) : QVariant(QMetaType::fromType<QString>()));
            if (!order.exec()) {
                return Failed(order);
            }
            if (added) {
                fresh << e.sampleId;
            }
        }
        if (entries.empty()) {
            return LedgerProblem{};
        }
        return WriteNote(q, readNote, QString::number(entries.back().id));
    });
    if (!problem.IsProblem()) {
        fresh.removeDuplicates();
        *changed << fresh;
    }
    return problem;
}

InventoryMap SqliteLedgerStore::Balances(LedgerProblem* problem) {
    QSqlQuery q(Db());
    if (!q.exec("SELECT EXISTS (SELECT 1 FROM server_order)") || !q.next()) {
        *problem = Failed(q);
        return InventoryMap();
    }
    if (q.value(0).toBool()) {
        return SqlLedgerStore::Balances(problem);
    }
    // A ledger that never read from a lab's server is in its order already,
    // opening balances first: each ID's latest is its last kept, found
    // through the index in a tenth of the time of ordering them all.
    return BalancesBy(
        "SELECT t.sample_id, t.after FROM inventory_transaction t JOIN"
        " (SELECT MAX(id) AS last, MIN(id) AS first FROM inventory_transaction"
        "  GROUP BY sample_id) g ON t.id = g.last ORDER BY g.first",
        problem);
}

std::optional<QString> SqliteLedgerStore::Note(const QString& key, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.prepare("SELECT value FROM ledger_note WHERE key = ?");
    q.addBindValue(key);
    if (!q.exec()) {
        *problem = Failed(q);
        return std::nullopt;
    }
    return q.next() ? std::optional<QString>(q.value(0).toString()) : std::nullopt;
}

LedgerProblem SqliteLedgerStore::SetNote(const QString& key, const QString& value) {
    return InTransaction([&](QSqlQuery& q) { return WriteNote(q, key, value); });
}

LedgerProblem SqliteLedgerStore::WriteNote(QSqlQuery& q, const QString& key,
                                           const QString& value) const {
    q.prepare("INSERT OR REPLACE INTO ledger_note (key, value) VALUES (?, ?)");
    q.addBindValue(key);
    q.addBindValue(Text(value));
    return q.exec() ? LedgerProblem{} : Failed(q);
}
