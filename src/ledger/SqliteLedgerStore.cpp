#include "ledger/SqliteLedgerStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

#include "ledger/SqliteLedgerSchema.h"

namespace {

// Every column of a transaction, with the file its record was saved to last.
const char* const kSelectEntries =
    "SELECT t.id, t.station, t.sequence, t.time, t.operator, t.sample_id, t.kind, t.before,"
    " t.after, t.run, t.record,"
    " (SELECT s.file FROM saved_record s WHERE s.run = t.run AND s.record = t.record"
    "  ORDER BY s.id DESC LIMIT 1),"
    " t.reason FROM inventory_transaction t";

LedgerEntry EntryFrom(const QSqlQuery& q) {
    LedgerEntry e;
    e.id = q.value(0).toLongLong();
    e.station = q.value(1).toString();
    e.sequence = q.value(2).toLongLong();
    e.time = q.value(3).toString();
    e.operatorName = q.value(4).toString();
    e.sampleId = q.value(5).toString();
    e.kind = KindFromName(q.value(6).toString()).value_or(InventoryChangeKind::Correction);
    e.before = q.value(7).toString();
    e.after = q.value(8).toString();
    e.run = q.value(9).toString();
    e.record = q.value(10).toInt();
    e.file = q.value(11).toString();
    e.reason = q.value(12).toString();
    return e;
}

// A text bound as it is: Qt binds a null QString as SQL NULL.
QString Text(const QString& value) {
    return value.isNull() ? QStringLiteral("") : value;
}

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QString("vyn8-ledger-%1").arg(++counter);
}

}  // namespace

SqliteLedgerStore::SqliteLedgerStore(const QString& path, const QString& connection)
    : m_path(path), m_connection(connection) {}

SqliteLedgerStore::~SqliteLedgerStore() {
    {
        QSqlDatabase db = Db();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

std::unique_ptr<SqliteLedgerStore> SqliteLedgerStore::Open(const QString& path,
                                                           LedgerProblem* problem,
                                                           int busyMilliseconds) {
    const QString name = NewConnectionName();
    std::unique_ptr<SqliteLedgerStore> store(new SqliteLedgerStore(path, name));
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
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

QSqlDatabase SqliteLedgerStore::Db() const {
    return QSqlDatabase::database(m_connection, false);
}

LedgerProblem SqliteLedgerStore::Failed(const QSqlQuery& q) const {
    return SqliteProblem(Db(), q.lastError());
}

LedgerProblem SqliteLedgerStore::InWriteTransaction(
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
    const LedgerProblem problem = InWriteTransaction([&](QSqlQuery& q) {
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

LedgerProblem SqliteLedgerStore::NoteSaved(const QString& run, const std::vector<int>& records,
                                           const QString& file) {
    const QString time = LedgerTimeText(QDateTime::currentDateTimeUtc());
    return InWriteTransaction([&](QSqlQuery& q) {
        q.prepare("INSERT INTO saved_record (run, record, file, time) VALUES (?, ?, ?, ?)");
        for (int record : records) {
            q.addBindValue(Text(run));
            q.addBindValue(record);
            q.addBindValue(Text(file));
            q.addBindValue(time);
            if (!q.exec()) {
                return Failed(q);
            }
        }
        return LedgerProblem{};
    });
}

std::optional<QString> SqliteLedgerStore::Balance(const QString& id, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.prepare(
        "SELECT after FROM inventory_transaction WHERE sample_id = ? ORDER BY id DESC LIMIT 1");
    q.addBindValue(id);
    if (!q.exec()) {
        *problem = Failed(q);
        return std::nullopt;
    }
    if (!q.next()) {
        return std::nullopt;
    }
    return q.value(0).toString();
}

std::vector<LedgerEntry> SqliteLedgerStore::History(const QString& id, LedgerProblem* problem) {
    std::vector<LedgerEntry> out;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    q.prepare(QString(kSelectEntries) + " WHERE t.sample_id = ? ORDER BY t.id");
    q.addBindValue(id);
    if (!q.exec()) {
        *problem = Failed(q);
        return out;
    }
    while (q.next()) {
        out.push_back(EntryFrom(q));
    }
    return out;
}

InventoryMap SqliteLedgerStore::Balances(LedgerProblem* problem) {
    InventoryMap out;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec("SELECT t.sample_id, t.after FROM inventory_transaction t JOIN"
                " (SELECT MAX(id) AS last, MIN(id) AS first FROM inventory_transaction"
                "  GROUP BY sample_id) g ON t.id = g.last ORDER BY g.first")) {
        *problem = Failed(q);
        return out;
    }
    while (q.next()) {
        out.Set(q.value(0).toString(), q.value(1).toString());
    }
    return out;
}

LedgerProblem SqliteLedgerStore::ForEach(const std::function<bool(const LedgerEntry&)>& visit) {
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec(QString(kSelectEntries) + " ORDER BY t.id")) {
        return Failed(q);
    }
    while (q.next()) {
        if (!visit(EntryFrom(q))) {
            break;
        }
    }
    return q.lastError().isValid() ? Failed(q) : LedgerProblem{};
}

qint64 SqliteLedgerStore::Count(LedgerProblem* problem) {
    QSqlQuery q(Db());
    if (!q.exec("SELECT COUNT(*) FROM inventory_transaction") || !q.next()) {
        *problem = Failed(q);
        return 0;
    }
    return q.value(0).toLongLong();
}

QStringList SqliteLedgerStore::SequenceGaps(LedgerProblem* problem) {
    QStringList gaps;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec("SELECT station, previous, sequence FROM"
                " (SELECT station, sequence,"
                "  COALESCE(LAG(sequence) OVER (PARTITION BY station ORDER BY sequence), 0)"
                "  AS previous FROM inventory_transaction)"
                " WHERE sequence <> previous + 1 ORDER BY station, sequence")) {
        *problem = Failed(q);
        return gaps;
    }
    while (q.next()) {
        const qint64 from = q.value(1).toLongLong() + 1;
        const qint64 to = q.value(2).toLongLong() - 1;
        const QString station = q.value(0).toString();
        gaps << (from == to ? QString("station %1: sequence %2 is missing").arg(station).arg(from)
                            : QString("station %1: sequences %2 to %3 are missing")
                                  .arg(station)
                                  .arg(from)
                                  .arg(to));
    }
    return gaps;
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
    return InWriteTransaction([&](QSqlQuery& q) {
        q.prepare("INSERT OR REPLACE INTO ledger_note (key, value) VALUES (?, ?)");
        q.addBindValue(key);
        q.addBindValue(Text(value));
        return q.exec() ? LedgerProblem{} : Failed(q);
    });
}
