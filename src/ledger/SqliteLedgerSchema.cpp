#include "ledger/SqliteLedgerSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// Version 1: the transactions, append-only, and the ledger's notes.
const QStringList kVersion1 = {
    "CREATE TABLE inventory_transaction ("
    " id INTEGER PRIMARY KEY,"
    " station TEXT NOT NULL,"
    " sequence INTEGER NOT NULL CHECK (sequence > 0),"
    " time TEXT NOT NULL,"
    " operator TEXT NOT NULL,"
    " sample_id TEXT NOT NULL CHECK (sample_id <> ''),"
    " kind TEXT NOT NULL CHECK (kind IN ('count result', 'dump result', 'incomplete packet',"
    "  'correction', 'opening balance')),"
    " before TEXT NOT NULL,"
    " after TEXT NOT NULL,"
    " run TEXT NOT NULL,"
    " record INTEGER NOT NULL,"
    " reason TEXT NOT NULL,"
    " CHECK (kind <> 'correction' OR reason <> ''),"
    " UNIQUE (station, sequence))",
    "CREATE INDEX transaction_by_sample ON inventory_transaction (sample_id, id)",
    "CREATE TRIGGER transaction_never_changed BEFORE UPDATE ON inventory_transaction"
    " BEGIN SELECT RAISE(ABORT, 'inventory transactions are never changed'); END",
    "CREATE TRIGGER transaction_never_deleted BEFORE DELETE ON inventory_transaction"
    " BEGIN SELECT RAISE(ABORT, 'inventory transactions are never deleted'); END",
    "CREATE TABLE ledger_note (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

// Version 2: the files records were saved to, added as they are saved.
const QStringList kVersion2 = {
    "CREATE TABLE saved_record ("
    " id INTEGER PRIMARY KEY,"
    " run TEXT NOT NULL,"
    " record INTEGER NOT NULL,"
    " file TEXT NOT NULL,"
    " time TEXT NOT NULL)",
    "CREATE INDEX saved_record_by_record ON saved_record (run, record, id)",
    "CREATE TRIGGER saved_record_never_changed BEFORE UPDATE ON saved_record"
    " BEGIN SELECT RAISE(ABORT, 'saved records are never changed'); END",
    "CREATE TRIGGER saved_record_never_deleted BEFORE DELETE ON saved_record"
    " BEGIN SELECT RAISE(ABORT, 'saved records are never deleted'); END",
};

// Version 3: the lab's server. Its order of the transactions it holds (its
// own numbering, as the station last read it), and when a transaction of
// another station first came from it. Read through ordered_transaction: the
// transactions in the order that sets balances, with the time this ledger
// kept each. Opening balances come first, below zero: in the server's order,
// then this station's own not sent yet. Every other transaction follows in
// the server's order, then those not sent yet in the order kept.
const QStringList kVersion3 = {
    "CREATE TABLE server_order ("
    " server_id INTEGER PRIMARY KEY,"
    " station TEXT NOT NULL,"
    " sequence INTEGER NOT NULL,"
    " pulled TEXT,"
    " UNIQUE (station, sequence))",
    "CREATE TRIGGER server_order_never_changed BEFORE UPDATE ON server_order"
    " BEGIN SELECT RAISE(ABORT, 'the server order is never changed'); END",
    "CREATE TRIGGER server_order_never_deleted BEFORE DELETE ON server_order"
    " BEGIN SELECT RAISE(ABORT, 'the server order is never deleted'); END",
    "CREATE VIEW ordered_transaction AS SELECT t.*,"
    " CASE WHEN t.kind = 'opening balance'"
    "  THEN COALESCE(o.server_id - 9223372036854775807, 0) - 1"
    "  ELSE COALESCE(o.server_id, 9223372036854775807) END AS lab_order,"
    " COALESCE(o.pulled, t.time) AS kept"
    " FROM inventory_transaction t"
    " LEFT JOIN server_order o ON o.station = t.station AND o.sequence = t.sequence",
};

const QStringList* kSteps[] = {&kVersion1, &kVersion2, &kVersion3};
static_assert(std::size(kSteps) == kSqliteLedgerSchemaVersion);

}  // namespace

LedgerProblem SqliteProblem(const QSqlDatabase& db, const QSqlError& error) {
    LedgerProblem p;
    p.file = db.databaseName();
    p.detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    switch (error.nativeErrorCode().toInt() & 0xff) {
        case 5:  // SQLITE_BUSY
        case 6:  // SQLITE_LOCKED
            p.kind = LedgerProblem::Kind::Locked;
            break;
        case 8:  // SQLITE_READONLY
            p.kind = LedgerProblem::Kind::ReadOnly;
            break;
        case 11:  // SQLITE_CORRUPT
        case 26:  // SQLITE_NOTADB
            p.kind = LedgerProblem::Kind::Corrupt;
            break;
        case 13:  // SQLITE_FULL
            p.kind = LedgerProblem::Kind::Full;
            break;
        case 14:  // SQLITE_CANTOPEN
        case 23:  // SQLITE_AUTH
            p.kind = LedgerProblem::Kind::CannotOpen;
            break;
        default:
            p.kind = LedgerProblem::Kind::Other;
    }
    return p;
}

int SqliteLedgerSchemaVersion(QSqlDatabase& db, LedgerProblem* problem) {
    QSqlQuery q(db);
    if (!q.exec("PRAGMA user_version") || !q.next()) {
        *problem = SqliteProblem(db, q.lastError());
        return -1;
    }
    return q.value(0).toInt();
}

LedgerProblem MigrateSqliteLedger(QSqlDatabase& db, int upTo) {
    LedgerProblem problem;
    QSqlQuery q(db);
    // The write lock first, so that two consoles starting together do not
    // both create the tables.
    if (!q.exec("BEGIN IMMEDIATE")) {
        return SqliteProblem(db, q.lastError());
    }
    const int version = SqliteLedgerSchemaVersion(db, &problem);
    if (version > kSqliteLedgerSchemaVersion) {
        problem = {LedgerProblem::Kind::NewerSchema, db.databaseName(),
                   QString("schema version %1, this console knows up to %2")
                       .arg(version)
                       .arg(kSqliteLedgerSchemaVersion)};
    }
    for (int v = version; !problem.IsProblem() && v >= 0 && v < upTo; ++v) {
        for (const QString& statement : *kSteps[v]) {
            if (!q.exec(statement)) {
                problem = SqliteProblem(db, q.lastError());
                break;
            }
        }
        if (!problem.IsProblem() && !q.exec(QString("PRAGMA user_version = %1").arg(v + 1))) {
            problem = SqliteProblem(db, q.lastError());
        }
    }
    if (problem.IsProblem()) {
        q.exec("ROLLBACK");
        return problem;
    }
    if (!q.exec("COMMIT")) {
        problem = SqliteProblem(db, q.lastError());
        q.exec("ROLLBACK");
    }
    return problem;
}
