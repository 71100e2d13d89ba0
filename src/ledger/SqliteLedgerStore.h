#pragma once

#include <QString>
#include <memory>

#include "ledger/LedgerStore.h"

class QSqlDatabase;
class QSqlQuery;

// The ledger in one SQLite file through Qt SQL. Written in WAL mode with
// synchronous=FULL: a transaction that Append() reports stored is on the disk.
// Two programs may share the file; SQLite's locking orders their writes and a
// writer waits up to the busy time for the other before it reports Locked.
class SqliteLedgerStore : public LedgerStore {
public:
    // Opens the database at `path`, making it when absent, and brings its
    // schema up to date. Null with `problem` set when that cannot be done.
    static std::unique_ptr<SqliteLedgerStore> Open(const QString& path, LedgerProblem* problem,
                                                   int busyMilliseconds = 5000);
    ~SqliteLedgerStore() override;

    QString Location() const override { return m_path; }
    LedgerProblem Append(std::vector<LedgerEntry>& entries) override;
    LedgerProblem NoteSaved(const QString& run, const std::vector<int>& records,
                            const QString& file) override;
    std::optional<QString> Balance(const QString& id, LedgerProblem* problem) override;
    std::vector<LedgerEntry> History(const QString& id, LedgerProblem* problem) override;
    InventoryMap Balances(LedgerProblem* problem) override;
    LedgerProblem ForEach(const std::function<bool(const LedgerEntry&)>& visit) override;
    qint64 Count(LedgerProblem* problem) override;
    QStringList SequenceGaps(LedgerProblem* problem) override;
    std::optional<QString> Note(const QString& key, LedgerProblem* problem) override;
    LedgerProblem SetNote(const QString& key, const QString& value) override;

private:
    SqliteLedgerStore(const QString& path, const QString& connection);
    QSqlDatabase Db() const;
    LedgerProblem Failed(const QSqlQuery& q) const;
    // Runs `statements` between BEGIN IMMEDIATE and COMMIT; rolls back on failure.
    LedgerProblem InWriteTransaction(const std::function<LedgerProblem(QSqlQuery&)>& statements);

    QString m_path;
    QString m_connection;
};
