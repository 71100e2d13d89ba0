#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "ledger/SqlLedgerStore.h"

// The ledger in one SQLite file through Qt SQL. Written in WAL mode with
// synchronous=FULL: a transaction that Append() reports stored is on the disk.
// Two programs may share the file; SQLite's locking orders their writes and a
// writer waits up to the busy time for the other before it reports Locked.
class SqliteLedgerStore : public SqlLedgerStore {
public:
    // Opens the database at `path`, making it when absent, and brings its
    // schema up to date. Null with `problem` set when that cannot be done.
    static std::unique_ptr<SqliteLedgerStore> Open(const QString& path, LedgerProblem* problem,
                                                   int busyMilliseconds = 5000);
    QString Location() const override { return m_path; }
    LedgerProblem Append(std::vector<LedgerEntry>& entries) override;
    std::optional<QString> Note(const QString& key, LedgerProblem* problem) override;
    InventoryMap Balances(LedgerProblem* problem) override;

    // Takes what the lab's server holds, as PgLedgerStore::Since reads it:
    // the transactions this file lacks (other stations', or this station's
    // own that a new file lost) and the server's order of every one, and
    // notes the server's number of the last under `readNote`; all or none.
    // `changed` gets the sample IDs of the transactions new here.
    LedgerProblem TakeFromServer(const std::vector<LedgerEntry>& entries, const QString& readNote,
                                 QStringList* changed);
    LedgerProblem SetNote(const QString& key, const QString& value) override;

private:
    explicit SqliteLedgerStore(const QString& path);
    LedgerProblem Problem(const QSqlError& error) const override;
    QString Ordered() const override { return "ordered_transaction"; }
    LedgerProblem WriteNote(QSqlQuery& q, const QString& key, const QString& value) const;
    LedgerProblem InTransaction(
        const std::function<LedgerProblem(QSqlQuery&)>& statements) override;

    QString m_path;
};
