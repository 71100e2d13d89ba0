#pragma once

#include <QString>
#include <vector>

// Why a sample's inventory changed. The count session reports the first
// three when a sample's figures become final; the last two come from the
// operator and from the inventory file itself.
enum class InventoryChangeKind {
    CountResult,       // a Totalize Count sample closed: its count is what is left
    DumpResult,        // the counter's dump: what it gave back is what is left
    IncompletePacket,  // a series closed mid-packet: nothing is left ("0")
    Correction,        // set by hand, with a reason
    OpeningBalance,    // taken over from an inventory file the ledger never saw
};

// One change of one ID's inventory, as the window shows it: the texts before
// and after (empty when the ID had none), and the record it belongs to.
struct InventoryChange {
    QString id;
    InventoryChangeKind kind = InventoryChangeKind::CountResult;
    QString before;
    QString after;
    int recordIndex = -1;  // index into the document's records, -1 for none
};

// A sample's figures made final: the records it added or completed, and the
// inventory changes that go with them, in the order they were made.
struct FinalFigures {
    std::vector<int> recordIndices;
    std::vector<InventoryChange> inventory;
};
