#include "ledger/PgLedgerSchema.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// Taken by whoever migrates, so that two stations starting together do not
// both make the tables.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(7708177)";

// Version 1: the transactions and the files their records were saved to,
// both append-only, and the station role.
const QStringList kVersion1 = {
    "CREATE TABLE inventory_transaction ("
    " id bigserial PRIMARY KEY,"
    " station text NOT NULL,"
    " sequence bigint NOT NULL CHECK (sequence > 0),"
    " time text NOT NULL,"
    " operator text NOT NULL,"
    " sample_id text NOT NULL CHECK (sample_id <> ''),"
    " kind text NOT NULL CHECK (kind IN ('count result', 'dump result', 'incomplete packet',"
    "  'correction', 'opening balance')),"
    " before text NOT NULL,"
    " after text NOT NULL,"
    " run text NOT NULL,"
    " record integer NOT NULL,"
    " reason text NOT NULL,"
    " received timestamptz NOT NULL DEFAULT clock_timestamp(),"
    " CHECK (kind <> 'correction' OR reason <> ''),"
    " UNIQUE (station, sequence))",
    "CREATE INDEX transaction_by_sample ON inventory_transaction (sample_id, id)",
    "CREATE TABLE saved_record ("
    " id bigserial PRIMARY KEY,"
    " run text NOT NULL,"
    " record integer NOT NULL,"
    " file text NOT NULL,"
    " time text NOT NULL)",
    "CREATE INDEX saved_record_by_record ON saved_record (run, record, id)",
    "CREATE FUNCTION ledger_refuse_change() RETURNS trigger LANGUAGE plpgsql AS"
    " $$ BEGIN RAISE EXCEPTION 'the rows of % are never changed or deleted', TG_TABLE_NAME;"
    " END $$",
    "CREATE TRIGGER transaction_never_changed BEFORE UPDATE OR DELETE OR TRUNCATE"
    " ON inventory_transaction FOR EACH STATEMENT EXECUTE FUNCTION ledger_refuse_change()",
    "CREATE TRIGGER saved_record_never_changed BEFORE UPDATE OR DELETE OR TRUNCATE"
    " ON saved_record FOR EACH STATEMENT EXECUTE FUNCTION ledger_refuse_change()",
    "DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'vyn8_station') THEN"
    " CREATE ROLE vyn8_station NOLOGIN; END IF; END $$",
    "REVOKE ALL ON inventory_transaction, saved_record FROM PUBLIC",
    "GRANT SELECT ON ledger_schema TO vyn8_station",
    "GRANT SELECT, INSERT ON inventory_transaction, saved_record TO vyn8_station",
    "GRANT USAGE ON SEQUENCE inventory_transaction_id_seq, saved_record_id_seq TO vyn8_station",
};

const QStringList* kSteps[] = {&kVersion1};
static_assert(std::size(kSteps) == kServerSchemaVersion);

QString Location(const QSqlDatabase& db) {
    return ServerLocation(db.connectOptions());
}

}  // namespace

QString ServerLocation(const QString& conninfo) {
    static const QRegularExpression keyword(R"(\s*\bpassword\s*=\s*('(?:[^'\\]|\\.)*'|\S*))");
    static const QRegularExpression uri(R"(^(postgres(?:ql)?://[^:/@]*):[^@]*@)");
    QString shown = conninfo;
    shown.remove(keyword);
    shown.replace(uri, "\\1@");
    return shown.trimmed();
}

LedgerProblem ServerProblem(const QString& location, const QSqlError& error) {
    LedgerProblem p;
    p.file = location;
    p.detail = (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
    const QString state = error.nativeErrorCode();
    // No SQLSTATE: the client's own error, a connection lost or never made.
    if (error.type() == QSqlError::ConnectionError || state.isEmpty() || state.startsWith("08") ||
        state.startsWith("28") || state.startsWith("57P") || state == "3D000") {
        p.kind = LedgerProblem::Kind::CannotOpen;
    } else if (state == "42501") {
        p.kind = LedgerProblem::Kind::ReadOnly;
    } else if (state == "53100") {
        p.kind = LedgerProblem::Kind::Full;
    } else {
        p.kind = LedgerProblem::Kind::Other;
    }
    return p;
}

int ServerSchemaVersion(QSqlDatabase& db, LedgerProblem* problem) {
    QSqlQuery q(db);
    if (!q.exec("SELECT to_regclass('ledger_schema') IS NOT NULL") || !q.next()) {
        *problem = ServerProblem(Location(db), q.lastError());
        return -1;
    }
    if (!q.value(0).toBool()) {
        return 0;
    }
    if (!q.exec("SELECT version FROM ledger_schema") || !q.next()) {
        *problem = ServerProblem(Location(db), q.lastError());
        return -1;
    }
    return q.value(0).toInt();
}

LedgerProblem MigrateServerLedger(QSqlDatabase& db) {
    LedgerProblem problem;
    if (!db.transaction()) {
        return ServerProblem(Location(db), db.lastError());
    }
    QSqlQuery q(db);
    if (!q.exec(kMigrationLock) ||
        !q.exec("CREATE TABLE IF NOT EXISTS ledger_schema (version integer NOT NULL)") ||
        !q.exec(
            "INSERT INTO ledger_schema SELECT 0 WHERE NOT EXISTS (SELECT FROM ledger_schema)")) {
        problem = ServerProblem(Location(db), q.lastError());
    }
    const int version = problem.IsProblem() ? -1 : ServerSchemaVersion(db, &problem);
    if (version > kServerSchemaVersion) {
        problem = {LedgerProblem::Kind::NewerSchema, Location(db),
                   QString("schema version %1, this console knows up to %2")
                       .arg(version)
                       .arg(kServerSchemaVersion)};
    }
    for (int v = version; !problem.IsProblem() && v >= 0 && v < kServerSchemaVersion; ++v) {
        for (const QString& statement : *kSteps[v]) {
            if (!q.exec(statement)) {
                problem = ServerProblem(Location(db), q.lastError());
                break;
            }
        }
        if (!problem.IsProblem() &&
            !q.exec(QString("UPDATE ledger_schema SET version = %1").arg(v + 1))) {
            problem = ServerProblem(Location(db), q.lastError());
        }
    }
    if (problem.IsProblem()) {
        db.rollback();
        return problem;
    }
    if (!db.commit()) {
        problem = ServerProblem(Location(db), db.lastError());
        db.rollback();
    }
    return problem;
}
