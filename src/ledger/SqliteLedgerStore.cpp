#include "ledger/SqliteLedgerStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

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
    return InTransaction([&](QSqlQuery& q) {
        q.prepare("INSERT OR REPLACE INTO ledger_note (key, value) VALUES (?, ?)");
        q.addBindValue(key);
        q.addBindValue(Text(value));
        return q.exec() ? LedgerProblem{} : Failed(q);
    });
}
