#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "data/InventoryMap.h"
#include "ledger/LedgerEntry.h"
#include "ledger/LedgerProblem.h"

// Where inventory transactions are kept. A store only ever adds: nothing
// stored is changed or deleted. Every call reports a failure as a value.
class LedgerStore {
public:
    virtual ~LedgerStore() = default;

    // The file or server the store keeps its transactions in.
    virtual QString Location() const = 0;

    // Stores the entries in their order, all or none, each with the next
    // sequence number of its station; fills in id and sequence.
    virtual LedgerProblem Append(std::vector<LedgerEntry>& entries) = 0;
    // Notes that the records of `run` were saved to `file`.
    virtual LedgerProblem NoteSaved(const QString& run, const std::vector<int>& records,
                                    const QString& file) = 0;

    // The value after the latest transaction of `id` (see LedgerEntry);
    // nullopt when it has none.
    virtual std::optional<QString> Balance(const QString& id, LedgerProblem* problem) = 0;
    // Every transaction of `id`, in the order that sets its balance.
    virtual std::vector<LedgerEntry> History(const QString& id, LedgerProblem* problem) = 0;
    // The balance of every ID, in the order the IDs first appeared.
    virtual InventoryMap Balances(LedgerProblem* problem) = 0;
    // Visits every transaction in the order this store kept them (a server:
    // received them) until `visit` returns false.
    virtual LedgerProblem ForEach(const std::function<bool(const LedgerEntry&)>& visit) = 0;
    virtual qint64 Count(LedgerProblem* problem) = 0;
    // "station: sequence N missing" for every number a station skipped.
    virtual QStringList SequenceGaps(LedgerProblem* problem) = 0;

    // The ledger's own notes (for example that the opening balances were taken).
    virtual std::optional<QString> Note(const QString& key, LedgerProblem* problem) = 0;
    virtual LedgerProblem SetNote(const QString& key, const QString& value) = 0;
};
