#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "data/InventoryMap.h"
#include "ledger/LedgerProblem.h"

class LedgerStore;

// An ID whose balance in the ledger is not its value in the inventory file
// (an absent ID counts as an empty value).
struct BalanceDifference {
    QString id;
    QString ledger;
    QString file;
};

// The differences, the file's IDs first in its order, then the ledger's
// that the file lacks.
std::vector<BalanceDifference> CompareBalances(const InventoryMap& ledger,
                                               const InventoryMap& file);

// What `vyn8-ledger check` reports: one line per balance that is not the
// inventory file's and per gap in a station's sequence. Empty when all is well.
QStringList CheckLedger(LedgerStore& store, const InventoryMap& inventoryFile,
                        LedgerProblem* problem);
