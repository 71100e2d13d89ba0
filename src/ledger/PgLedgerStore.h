#pragma once

#include <QString>
#include <memory>

#include "ledger/SqlLedgerStore.h"

// The ledger on a PostgreSQL server through Qt SQL's driver, shared by every
// station of a lab. Stations keep their own transactions locally first and
// send them here (Receive): each keeps its station's sequence number, and one
// the server has already is kept once. The connection string is libpq's
// (`service=vyn8`, `host=lab-db dbname=vyn8`, a postgresql:// URI): the
// password comes from ~/.pgpass or the service file, never from the console.
class PgLedgerStore : public SqlLedgerStore {
public:
    // Connects, waiting at most kConnectSeconds unless the string names a
    // connect_timeout, and makes or migrates the schema when the login may.
    // Null with `problem` set when that cannot be done.
    static std::unique_ptr<PgLedgerStore> Open(const QString& conninfo, LedgerProblem* problem);
    // Makes or migrates the schema and the station role: the administrator's
    // `vyn8-ledger init-server`.
    static LedgerProblem InitServer(const QString& conninfo);
    static constexpr int kConnectSeconds = 5;

    QString Location() const override { return m_location; }
    // Transactions written straight to the server take their station's next number.
    LedgerProblem Append(std::vector<LedgerEntry>& entries) override;
    // The server keeps no notes of a station's own.
    std::optional<QString> Note(const QString& key, LedgerProblem* problem) override;
    LedgerProblem SetNote(const QString& key, const QString& value) override;

    // Stores transactions numbered by their station, in order, all or none;
    // those the server has already are left as they are. `added` counts the
    // new. Another transaction under a station's number is refused: two
    // stations share a name.
    LedgerProblem Receive(const std::vector<LedgerEntry>& entries, int* added);
    // The transaction the server holds under `e`'s station and sequence is
    // `e` (sent before), not another station's of the same name.
    LedgerProblem SameAsStored(const LedgerEntry& e);
    // Every station's transactions the server received after its own number
    // `serverId`, in the order received, at most `limit`; each entry's id is
    // the server's number.
    std::vector<LedgerEntry> Since(qint64 serverId, int limit, LedgerProblem* problem);
    // Each station's last sequence number, its time, and the gaps before it.
    QStringList Stations(LedgerProblem* problem);

private:
    explicit PgLedgerStore(const QString& location);
    static std::unique_ptr<PgLedgerStore> Connect(const QString& conninfo, LedgerProblem* problem);
    LedgerProblem Problem(const QSqlError& error) const override;
    // Waits for the other writers' transactions to end: transactions are
    // written, and numbered by the server, one writing transaction at a time,
    // so that they become visible in the order of their numbers.
    LedgerProblem TakeWriteTurn(QSqlQuery& q) const;
    static constexpr qint64 kWriteTurnKey =
        0x76796e38;  // the advisory lock of the ledger's writers
    QString Ordered() const override;
    LedgerProblem InTransaction(
        const std::function<LedgerProblem(QSqlQuery&)>& statements) override;

    QString m_location;
};
