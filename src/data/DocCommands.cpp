// The document's menu commands that show its data: printing (the table and
// the packet labels), the inventory check and the View/Edit list. The record file commands are in
// DocRecordCommands.cpp.

#include "data/Cvyn8_rk47Doc.h"
#include "data/Printing.h"
#include "dialogs/CheckInventory35.h"
#include "dialogs/SampleRecord35.h"
#include "dialogs/Viewedit35.h"
#include "labels/LabelCommand.h"
#include "platform/WinIds.h"

void Cvyn8_rk47Doc::OnPrintRecords() {
    PrintRecords(m_records, "Barcode");
}

void Cvyn8_rk47Doc::OnPrintLabels() {
    PrintPacketLabels(m_records, m_pDialogParent);
}

void Cvyn8_rk47Doc::OnReviewSampleOpened() {
    if (m_nOpenState == RECORDS_NOT_OPENED || RecordCount() == 0) {
        return;
    }
    SampleRecord35 dlg(m_pDialogParent);
    dlg.m_pDoc = this;
    dlg.DoModal();
}

void Cvyn8_rk47Doc::OnCheckInventory() {
    CheckInventory35 dlg(m_pDialogParent);
    dlg.m_pDoc = this;
    dlg.DoModal();
}

void Cvyn8_rk47Doc::OnViewCurrentSample() {
    if (RecordCount() == 0) {
        return;
    }
    // Enter on the list closes the dialog with IDOK; it is then shown again
    // with a fresh list, until it is cancelled.
    Viewedit35 dlg(m_pDialogParent);
    dlg.m_pDoc = this;
    while (dlg.DoModal() == IDOK) {
        dlg.FillRecordList();
    }
}
