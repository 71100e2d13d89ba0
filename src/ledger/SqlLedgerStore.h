#pragma once

#include <QSqlDatabase>
#include <QString>

#include "ledger/LedgerStore.h"

class QSqlError;
class QSqlQuery;

// What a ledger store reads the same way from any SQL database through Qt
// SQL: balances, histories, counts and sequence gaps. The store of each
// database adds how it is opened and written and how its errors read.
class SqlLedgerStore : public LedgerStore {
public:
    ~SqlLedgerStore() override;

    LedgerProblem NoteSaved(const QString& run, const std::vector<int>& records,
                            const QString& file) override;
    std::optional<QString> Balance(const QString& id, LedgerProblem* problem) override;
    std::vector<LedgerEntry> History(const QString& id, LedgerProblem* problem) override;
    InventoryMap Balances(LedgerProblem* problem) override;
    LedgerProblem ForEach(const std::function<bool(const LedgerEntry&)>& visit) override;
    qint64 Count(LedgerProblem* problem) override;
    QStringList SequenceGaps(LedgerProblem* problem) override;

    // The highest sequence number `station` has here; 0 for none.
    qint64 LastSequence(const QString& station, LedgerProblem* problem);
    // `station`'s transactions after `sequence`, in order, at most `limit`.
    std::vector<LedgerEntry> After(const QString& station, qint64 sequence, int limit,
                                   LedgerProblem* problem);

protected:
    // `driver` the Qt SQL driver; the connection gets a name of its own.
    explicit SqlLedgerStore(const QString& driver);
    QSqlDatabase Db() const;
    // The database's error as the ledger's problem.
    virtual LedgerProblem Problem(const QSqlError& error) const = 0;
    LedgerProblem Failed(const QSqlQuery& q) const;
    // Runs `statements` in one database transaction, rolled back on failure.
    virtual LedgerProblem InTransaction(
        const std::function<LedgerProblem(QSqlQuery&)>& statements) = 0;
    // The transactions with two more columns: lab_order, the order that
    // sets balances (opening balances first, each ID's latest last), and
    // kept, when this database kept each. A table or a subquery.
    virtual QString Ordered() const = 0;
    // Every column of a transaction, with the file its record was saved to
    // last, from Ordered() as t; a WHERE and ORDER BY may follow.
    QString SelectEntries() const;
    static LedgerEntry EntryFrom(const QSqlQuery& q);
    // The balances a query of sample_id and after gives, in its order.
    InventoryMap BalancesBy(const QString& query, LedgerProblem* problem);
    // Runs the prepared query `q` (a SelectEntries()) and gives its entries.
    std::vector<LedgerEntry> Entries(QSqlQuery& q, LedgerProblem* problem) const;
    // Prepares `q` to insert transactions numbered by their station; a number
    // already held is left as it is.
    static void PrepareNumberedInsert(QSqlQuery& q);
    // Inserts `e` with a query PrepareNumberedInsert made; `added` is whether
    // it was new.
    LedgerProblem InsertNumbered(QSqlQuery& q, const LedgerEntry& e, bool* added) const;
    // A text bound as it is: Qt binds a null QString as SQL NULL.
    static QString Text(const QString& value);

private:
    QString m_connection;
};
