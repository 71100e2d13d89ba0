#include "app/commands/RecordViewCommands.h"

#include "app/LedgerHookup.h"
#include "data/Cvyn8_rk47Doc.h"
#include "dialogs/CheckInventory35.h"
#include "dialogs/SampleRecord35.h"
#include "dialogs/Viewedit35.h"
#include "platform/WinIds.h"

namespace commands {

void OnReviewSampleOpened(Cvyn8_rk47Doc& doc, QWidget* parent) {
    if (doc.m_nOpenState == RECORDS_NOT_OPENED || doc.RecordCount() == 0) {
        return;
    }
    SampleRecord35 dlg(parent);
    dlg.m_pDoc = &doc;
    dlg.DoModal();
}

void OnCheckInventory(Cvyn8_rk47Doc& doc, QWidget* parent, LedgerHookup* ledger,
                      const QString& inventoryFile) {
    CheckInventory35 dlg(parent);
    dlg.m_pDoc = &doc;
    dlg.m_strInventoryFile = inventoryFile;
    if (ledger) {
        dlg.m_pLedger = &ledger->ledger();
        // After the window's inventory, which takes them first.
        QObject::connect(ledger, &LedgerHookup::labBalancesChanged, &dlg,
                         &CheckInventory35::ShowBalances);
    }
    dlg.DoModal();
}

void OnViewCurrentSample(Cvyn8_rk47Doc& doc, QWidget* parent) {
    if (doc.RecordCount() == 0) {
        return;
    }
    // Enter on the list closes the dialog with IDOK; it is then shown again
    // with a fresh list, until it is cancelled. Each showing is a new dialog,
    // so it starts with the focus on Cancel as the first did: Enter there
    // ends the loop instead of showing the dialog again and again.
    int result = IDOK;
    while (result == IDOK) {
        Viewedit35 dlg(parent);
        dlg.m_pDoc = &doc;
        result = dlg.DoModal();
    }
}

}  // namespace commands
