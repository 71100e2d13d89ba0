#include "ledger/SqlLedgerStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <atomic>

namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QString("vyn8-ledger-%1").arg(++counter);
}

}  // namespace

QString SqlLedgerStore::SelectEntries() const {
    return QString(
               "SELECT t.id, t.station, t.sequence, t.time, t.operator, t.sample_id, t.kind,"
               " t.before, t.after, t.run, t.record,"
               " (SELECT s.file FROM saved_record s WHERE s.run = t.run AND s.record = t.record"
               "  ORDER BY s.id DESC LIMIT 1),"
               " t.reason, t.kept FROM %1 t")
        .arg(Ordered());
}

SqlLedgerStore::SqlLedgerStore(const QString& driver) : m_connection(NewConnectionName()) {
    QSqlDatabase::addDatabase(driver, m_connection);
}

SqlLedgerStore::~SqlLedgerStore() {
    {
        QSqlDatabase db = Db();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase SqlLedgerStore::Db() const {
    return QSqlDatabase::database(m_connection, false);
}

LedgerProblem SqlLedgerStore::Failed(const QSqlQuery& q) const {
    return Problem(q.lastError());
}

LedgerEntry SqlLedgerStore::EntryFrom(const QSqlQuery& q) {
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
    e.kept = q.value(13).toString();
    return e;
}

QString SqlLedgerStore::Text(const QString& value) {
    return value.isNull() ? QStringLiteral("") : value;
}

void SqlLedgerStore::PrepareNumberedInsert(QSqlQuery& q) {
    q.prepare(
        "INSERT INTO inventory_transaction (station, sequence, time, operator, sample_id, kind,"
        " before, after, run, record, reason) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
        " ON CONFLICT (station, sequence) DO NOTHING");
}

LedgerProblem SqlLedgerStore::InsertNumbered(QSqlQuery& q, const LedgerEntry& e,
                                             bool* added) const {
    for (const QVariant& v :
         {QVariant(Text(e.station)), QVariant(e.sequence), QVariant(Text(e.time)),
          QVariant(Text(e.operatorName)), QVariant(Text(e.sampleId)), QVariant(KindName(e.kind)),
          QVariant(Text(e.before)), QVariant(Text(e.after)), QVariant(Text(e.run)),
          QVariant(e.record), QVariant(Text(e.reason))}) {
        q.addBindValue(v);
    }
    if (!q.exec()) {
        return Failed(q);
    }
    *added = q.numRowsAffected() > 0;
    return LedgerProblem{};
}

LedgerProblem SqlLedgerStore::NoteSaved(const QString& run, const std::vector<int>& records,
                                        const QString& file) {
    const QString time = LedgerTimeText(QDateTime::currentDateTimeUtc());
    return InTransaction([&](QSqlQuery& q) {
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

std::optional<QString> SqlLedgerStore::Balance(const QString& id, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.prepare(QString("SELECT t.after FROM %1 t WHERE t.sample_id = ?"
                      " ORDER BY t.lab_order DESC, t.id DESC LIMIT 1")
                  .arg(Ordered()));
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

std::vector<LedgerEntry> SqlLedgerStore::Entries(QSqlQuery& q, LedgerProblem* problem) const {
    std::vector<LedgerEntry> out;
    if (!q.exec()) {
        *problem = Failed(q);
        return out;
    }
    while (q.next()) {
        out.push_back(EntryFrom(q));
    }
    return out;
}

std::vector<LedgerEntry> SqlLedgerStore::History(const QString& id, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    q.prepare(SelectEntries() + " WHERE t.sample_id = ? ORDER BY t.lab_order, t.id");
    q.addBindValue(id);
    return Entries(q, problem);
}

InventoryMap SqlLedgerStore::Balances(LedgerProblem* problem) {
    return BalancesBy(QString("SELECT sample_id, after FROM"
                              " (SELECT t.sample_id, t.after,"
                              "  ROW_NUMBER() OVER (PARTITION BY t.sample_id"
                              "   ORDER BY t.lab_order DESC, t.id DESC) AS latest,"
                              "  MIN(t.id) OVER (PARTITION BY t.sample_id) AS first FROM %1 t) b"
                              " WHERE latest = 1 ORDER BY first")
                          .arg(Ordered()),
                      problem);
}

InventoryMap SqlLedgerStore::BalancesBy(const QString& query, LedgerProblem* problem) {
    InventoryMap out;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec(query)) {
        *problem = Failed(q);
        return out;
    }
    while (q.next()) {
        out.Set(q.value(0).toString(), q.value(1).toString());
    }
    return out;
}

LedgerProblem SqlLedgerStore::ForEach(const std::function<bool(const LedgerEntry&)>& visit) {
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec(SelectEntries() + " ORDER BY t.id")) {
        return Failed(q);
    }
    while (q.next()) {
        if (!visit(EntryFrom(q))) {
            break;
        }
    }
    return q.lastError().isValid() ? Failed(q) : LedgerProblem{};
}

qint64 SqlLedgerStore::Count(LedgerProblem* problem) {
    QSqlQuery q(Db());
    if (!q.exec("SELECT COUNT(*) FROM inventory_transaction") || !q.next()) {
        *problem = Failed(q);
        return 0;
    }
    return q.value(0).toLongLong();
}

QStringList SqlLedgerStore::SequenceGaps(LedgerProblem* problem) {
    QStringList gaps;
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    if (!q.exec("SELECT station, previous, sequence FROM"
                " (SELECT station, sequence,"
                "  COALESCE(LAG(sequence) OVER (PARTITION BY station ORDER BY sequence), 0)"
                "  AS previous FROM inventory_transaction) AS numbered"
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

qint64 SqlLedgerStore::LastSequence(const QString& station, LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.prepare("SELECT COALESCE(MAX(sequence), 0) FROM inventory_transaction WHERE station = ?");
    q.addBindValue(station);
    if (!q.exec() || !q.next()) {
        *problem = Failed(q);
        return 0;
    }
    return q.value(0).toLongLong();
}

std::vector<LedgerEntry> SqlLedgerStore::After(const QString& station, qint64 sequence, int limit,
                                               LedgerProblem* problem) {
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    q.prepare(SelectEntries() +
              " WHERE t.station = ? AND t.sequence > ? ORDER BY t.sequence LIMIT ?");
    q.addBindValue(station);
    q.addBindValue(sequence);
    q.addBindValue(limit);
    return Entries(q, problem);
}
