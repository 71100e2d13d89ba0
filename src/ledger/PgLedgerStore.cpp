#include "ledger/PgLedgerStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "ledger/PgLedgerSchema.h"

namespace {

constexpr const char* kInsert =
    "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id, kind,"
    " before, after, run, record, reason)";

}  // namespace

PgLedgerStore::PgLedgerStore(const QString& location)
    : SqlLedgerStore("QPSQL"), m_location(location) {}

std::unique_ptr<PgLedgerStore> PgLedgerStore::Connect(const QString& conninfo,
                                                      LedgerProblem* problem) {
    std::unique_ptr<PgLedgerStore> store(new PgLedgerStore(ServerLocation(conninfo)));
    QSqlDatabase db = store->Db();
    if (!db.isValid()) {
        *problem = {LedgerProblem::Kind::CannotOpen, store->m_location,
                    "the PostgreSQL driver of Qt SQL is not installed"};
        return nullptr;
    }
    QString options = conninfo.trimmed();
    if (!options.contains("connect_timeout")) {
        // A server that takes the connection and never answers is given up.
        options += options.contains("://")
                       ? QString(options.contains('?') ? "&" : "?") + "connect_timeout=%1"
                       : QString(" connect_timeout=%1");
        options = options.arg(kConnectSeconds);
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        *problem = ServerProblem(store->m_location, db.lastError());
        return nullptr;
    }
    return store;
}

std::unique_ptr<PgLedgerStore> PgLedgerStore::Open(const QString& conninfo,
                                                   LedgerProblem* problem) {
    auto store = Connect(conninfo, problem);
    if (!store) {
        return nullptr;
    }
    QSqlDatabase db = store->Db();
    const int version = ServerSchemaVersion(db, problem);
    if (version < 0) {
        return nullptr;
    }
    if (version != kServerSchemaVersion) {
        const LedgerProblem migrated = MigrateServerLedger(db);
        if (migrated.IsProblem()) {
            *problem = migrated;
            if (version == 0 && migrated.kind == LedgerProblem::Kind::ReadOnly) {
                problem->detail =
                    "the server holds no ledger yet: an administrator makes it "
                    "with vyn8-ledger init-server";
            }
            return nullptr;
        }
    }
    return store;
}

LedgerProblem PgLedgerStore::InitServer(const QString& conninfo) {
    LedgerProblem problem;
    auto store = Connect(conninfo, &problem);
    if (!store) {
        return problem;
    }
    QSqlDatabase db = store->Db();
    return MigrateServerLedger(db);
}

LedgerProblem PgLedgerStore::Problem(const QSqlError& error) const {
    return ServerProblem(m_location, error);
}

LedgerProblem PgLedgerStore::TakeWriteTurn(QSqlQuery& q) const {
    // Held until the transaction ends. The server numbers rows as they are
    // inserted: two writers side by side could commit 41 before 40, and a
    // station that read up to 41 (Since) would never read 40.
    return q.exec(QString("SELECT pg_advisory_xact_lock(%1)").arg(kWriteTurnKey)) ? LedgerProblem{}
                                                                                  : Failed(q);
}

QString PgLedgerStore::Ordered() const {
    // The order the server received them in, its own numbering; opening
    // balances first, below zero.
    return "(SELECT i.*, CASE WHEN i.kind = 'opening balance'"
           " THEN i.id - 9223372036854775807 - 1 ELSE i.id END AS lab_order,"
           " i.time AS kept FROM inventory_transaction i)";
}

std::vector<LedgerEntry> PgLedgerStore::Since(qint64 serverId, int limit, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    q.prepare(SelectEntries() + " WHERE t.id > ? ORDER BY t.id LIMIT ?");
    q.addBindValue(serverId);
    q.addBindValue(limit);
    return Entries(q, problem);
}

LedgerProblem PgLedgerStore::InTransaction(
    const std::function<LedgerProblem(QSqlQuery&)>& statements) {
    QSqlDatabase db = Db();
    if (!db.transaction()) {
        return Problem(db.lastError());
    }
    QSqlQuery q(db);
    LedgerProblem problem = statements(q);
    if (!problem.IsProblem() && !db.commit()) {
        problem = Problem(db.lastError());
    }
    if (problem.IsProblem()) {
        db.rollback();
    }
    return problem;
}

LedgerProblem PgLedgerStore::Append(std::vector<LedgerEntry>& entries) {
    return InTransaction([&](QSqlQuery& q) {
        // One writer at a time: the station's next numbers, and the order.
        if (const LedgerProblem failed = TakeWriteTurn(q); failed.IsProblem()) {
            return failed;
        }
        for (LedgerEntry& e : entries) {
            q.prepare(QString(kInsert) +
                      " SELECT ?, COALESCE(MAX(sequence), 0) + 1, ?, ?, ?, ?, ?, ?, ?, ?, ?"
                      " FROM inventory_transaction WHERE station = ? RETURNING id, sequence");
            for (const QVariant& v :
                 {QVariant(Text(e.station)), QVariant(Text(e.time)), QVariant(Text(e.operatorName)),
                  QVariant(Text(e.sampleId)), QVariant(KindName(e.kind)), QVariant(Text(e.before)),
                  QVariant(Text(e.after)), QVariant(Text(e.run)), QVariant(e.record),
                  QVariant(Text(e.reason)), QVariant(Text(e.station))}) {
                q.addBindValue(v);
            }
            if (!q.exec() || !q.next()) {
                return Failed(q);
            }
            e.id = q.value(0).toLongLong();
            e.sequence = q.value(1).toLongLong();
        }
        return LedgerProblem{};
    });
}

LedgerProblem PgLedgerStore::Receive(const std::vector<LedgerEntry>& entries, int* added) {
    int count = 0;
    const LedgerProblem problem = InTransaction([&](QSqlQuery& q) {
        if (const LedgerProblem failed = TakeWriteTurn(q); failed.IsProblem()) {
            return failed;
        }
        PrepareNumberedInsert(q);
        for (const LedgerEntry& e : entries) {
            bool fresh = false;
            if (const LedgerProblem failed = InsertNumbered(q, e, &fresh); failed.IsProblem()) {
                return failed;
            }
            if (fresh) {
                ++count;
            } else if (const LedgerProblem clash = SameAsStored(e); clash.IsProblem()) {
                return clash;
            }
        }
        return LedgerProblem{};
    });
    *added = problem.IsProblem() ? 0 : count;
    return problem;
}

std::optional<QString> PgLedgerStore::Note(const QString&, LedgerProblem*) {
    return std::nullopt;
}

LedgerProblem PgLedgerStore::SetNote(const QString&, const QString&) {
    return {LedgerProblem::Kind::Refused, m_location, "the server keeps no notes of a station"};
}

LedgerProblem PgLedgerStore::SameAsStored(const LedgerEntry& e) {
    QSqlQuery q(Db());
    q.prepare(
        "SELECT time, sample_id, kind, after FROM inventory_transaction"
        " WHERE station = ? AND sequence = ?");
    q.addBindValue(Text(e.station));
    q.addBindValue(e.sequence);
    if (!q.exec()) {
        return Failed(q);
    }
    if (!q.next() ||
        (q.value(0).toString() == e.time && q.value(1).toString() == e.sampleId &&
         q.value(2).toString() == KindName(e.kind) && q.value(3).toString() == e.after)) {
        return LedgerProblem{};
    }
    return {LedgerProblem::Kind::Refused, m_location,
            QString("The ledger server %1 holds another transaction as %2's number %3: two "
                    "stations send under the name %2. Give each station a name of its own.")
                .arg(m_location, e.station)
                .arg(e.sequence)};
}

QStringList PgLedgerStore::Stations(LedgerProblem* problem) {
    QStringList out;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec("SELECT station, MAX(sequence), COUNT(*), MAX(time) FROM inventory_transaction"
                " GROUP BY station ORDER BY station")) {
        *problem = Failed(q);
        return out;
    }
    while (q.next()) {
        const qint64 last = q.value(1).toLongLong();
        const qint64 missing = last - q.value(2).toLongLong();
        out << QString("%1\tsequence %2\t%3\t%4")
                   .arg(q.value(0).toString())
                   .arg(last)
                   .arg(q.value(3).toString(),
                        missing == 0 ? QString("no gaps") : QString("%1 missing").arg(missing));
    }
    return out;
}
