#include "ledger/LedgerCheck.h"

#include "ledger/LedgerStore.h"

std::vector<BalanceDifference> CompareBalances(const InventoryMap& ledger,
                                               const InventoryMap& file) {
    std::vector<BalanceDifference> out;
    for (const auto& [id, value] : file) {
        QString had;
        ledger.Lookup(id, &had);
        if (had != value) {
            out.push_back({id, had, value});
        }
    }
    for (const auto& [id, value] : ledger) {
        if (!value.isEmpty() && !file.Lookup(id)) {
            out.push_back({id, value, QString()});
        }
    }
    return out;
}

QStringList CheckLedger(LedgerStore& store, const InventoryMap& inventoryFile,
                        LedgerProblem* problem) {
    QStringList lines;
    const InventoryMap balances = store.Balances(problem);
    if (problem->IsProblem()) {
        return lines;
    }
    const auto shown = [](const QString& v) { return v.isEmpty() ? QString("nothing") : v; };
    for (const BalanceDifference& d : CompareBalances(balances, inventoryFile)) {
        lines << QString("%1: the ledger's balance is %2, vyn8_inventory.txt holds %3")
                     .arg(d.id, shown(d.ledger), shown(d.file));
    }
    lines << store.SequenceGaps(problem);
    return lines;
}
