// Keeping every count the counter reported, whichever way a sample ends: a
// dump answered after its notice was closed, a count cut off by a lost line,
// Disconnect or shut-down, and the records an earlier run left unsaved.

#include <QDateTime>
#include <utility>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/EarlierRecords.h"
#include "platform/NumText.h"
#include "platform/Prompter.h"

bool Cvyn8_rk47View::SampleBeingCounted() const {
    const bool running =
        m_nRunState == RUN_COUNTING || m_nRunState == RUN_ZEROED || m_nRunState == RUN_STOPPED;
    return running && m_nCurPacket < m_nSampleRowCount;
}

void Cvyn8_rk47View::BeginPendingDump(bool closesSample) {
    m_dumpPending = {};
    m_dumpPending.active = true;
    m_dumpPending.closesSample = closesSample;
    if (!closesSample) {
        return;
    }
    if (m_bTotalizeMode) {
        // The record is made now with the count so far; the answer completes
        // it. Until then the stored inventory is not touched.
        m_bCountCutOff = true;
        RecordPacket();
        m_bCountCutOff = false;
        m_dumpPending.totalize = true;
        m_dumpPending.row = SampleRow(0);
    } else if (m_nCurPacket >= 1) {
        m_dumpPending.row = SampleRow(m_nCurPacket - 1);
    }
    m_dumpPending.entry = m_pCurrentEntry;
    // The dump ends the series: its total travels with the dump.
    m_dumpPending.seriesTotal = m_nDumpTotal;
    m_nDumpTotal = 0;
}

void Cvyn8_rk47View::WritePendingDumpFigures() {
    const PendingDump dump = std::exchange(m_dumpPending, PendingDump{});
    if (!dump.entry) {
        return;
    }
    cParam& entry = *dump.entry;
    const QString total = QString::number(dump.seriesTotal + WToI(m_strLastCount));
    const bool rowShown = dump.row >= 0 && dump.row < m_model->Count() &&
                          m_model->Cell(dump.row, SampleListModel::Id) == entry.m_strIdBarcode;
    if (dump.totalize) {
        // Every seed of the sample went through the counter: the dump's count
        // is the sample's count.
        entry.m_strNumPerPacket = m_strLastCount;
        if (rowShown) {
            m_model->SetCell(dump.row, SampleListModel::NumP, m_strLastCount);
        }
    }
    entry.m_strInventory = m_strLastCount;
    entry.m_strTotalQuantity = total;
    m_pDoc->m_inventory.Set(entry.m_strIdBarcode, m_strLastCount);
    if (rowShown) {
        m_model->SetCell(dump.row, SampleListModel::Inventory, m_strLastCount);
        m_model->SetCell(dump.row, SampleListModel::Sum, total);
    }
    KeepUnsavedWorkSafe();
}

void Cvyn8_rk47View::AbandonPendingDump() {
    const PendingDump dump = std::exchange(m_dumpPending, PendingDump{});
    if (!dump.entry || !dump.entry->m_strTotalQuantity.isEmpty()) {
        return;
    }
    // What is left in the machine is not known; what went into packets is.
    const QString total = QString::number(dump.seriesTotal);
    dump.entry->m_strTotalQuantity = total;
    if (dump.row >= 0 && dump.row < m_model->Count()) {
        m_model->SetCell(dump.row, SampleListModel::Sum, total);
    }
    KeepUnsavedWorkSafe();
}

void Cvyn8_rk47View::CloseCutOffSample() {
    // A sample whose dump is still awaited was closed by that dump already.
    const bool closedByDump = m_dumpPending.closesSample && m_pDumpDlg;
    if (!closedByDump && SampleBeingCounted()) {
        m_bCountCutOff = true;
        CompleteSample();
        m_bCountCutOff = false;
    } else if (!closedByDump && m_bBatchMode && m_nSampleRowCount > 0 &&
               m_nCurPacket == m_nSampleRowCount &&
               (m_nRunState == RUN_COUNTING || m_nRunState == RUN_STOPPED)) {
        // Every row was counted and the dump never came: the last record
        // gets the series' total as a dump would leave it, without the dump.
        BeginPendingDump(true);
    }
    AbandonPendingDump();
    m_nDumpTotal = 0;
}

bool Cvyn8_rk47View::MayEndCount(const QString& action) {
    const bool dumpAwaited = m_dumpPending.closesSample && m_pDumpDlg;
    if (!SampleBeingCounted() && !dumpAwaited) {
        return true;
    }
    return Prompt(QStringLiteral("A sample is being counted. %1 ends it: what was counted so far "
                                 "is kept in the records, and its inventory is left as it was.\n"
                                 "Go on?")
                      .arg(action),
                  kAppTitle, PromptIcon::Question, PromptButtons::YesNo) == IDYES;
}

void Cvyn8_rk47View::KeepEarlierUnsavedRecords() {
    QString kept;
    QString error;
    const QString path = m_strExeFolder + "VYN8_Default.txt";
    switch (KeepEarlierRecordFile(path, QDateTime::currentDateTime(), &kept, &error)) {
        case EarlierRecords::None:
            return;
        case EarlierRecords::Kept:
            Prompt(QStringLiteral("VYN8_Default.txt held records of an earlier run that were never "
                                  "saved. They are kept in %1.")
                       .arg(kept),
                   kAppTitle, PromptIcon::Information);
            return;
        case EarlierRecords::NotKept:
            Prompt(
                QStringLiteral("VYN8_Default.txt holds records of an earlier run that were never "
                               "saved, and they could not be kept under another name (%1). "
                               "Copy %2 somewhere safe before counting: the first record of "
                               "this run replaces it.")
                    .arg(error, path),
                kAppTitle, PromptIcon::Warning);
            return;
    }
}
