// Keeping counts safe on disk: unsaved records and the inventory as they
// change, the question before a count is cut off, and the records an
// earlier run left unsaved.

#include <QDateTime>

#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/EarlierRecords.h"
#include "data/InventoryFile.h"
#include "data/RecordFile.h"
#include "platform/Prompter.h"

bool Cvyn8_rk47View::MayEndCount(const QString& action) {
    if (!m_session->SampleBeingCounted() && !m_session->DumpAwaited()) {
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

void Cvyn8_rk47View::KeepUnsavedWorkSafe() {
    KeepSafe(true, !m_bInventoryAfterLedger);
}

void Cvyn8_rk47View::KeepInventorySafe() {
    KeepSafe(false, true);
}

void Cvyn8_rk47View::TakeLabBalances(const InventoryMap& balances) {
    if (!m_bInventoryLoaded || m_bShutdownDone || balances.GetCount() == 0) {
        return;
    }
    for (const auto& [id, value] : balances) {
        m_pDoc->m_inventory.Set(id, value);
    }
    KeepInventorySafe();
}

void Cvyn8_rk47View::KeepSafe(bool records, bool inventory) {
    QStringList failures;
    QString path;
    QString error;
    if (records && !WriteUnsavedRecords(&path, &error)) {
        failures << QString("%1 (%2)").arg(path, error);
    }
    if (inventory && !WriteInventoryBack(&path, &error)) {
        failures << QString("%1 (%2)").arg(path, error);
    }
    // One message per run of failures, not one per record.
    if (!failures.isEmpty() && !m_bSafeKeepFailed) {
        Prompt("Could not keep the counts of this run safe on disk: " + failures.join(", ") +
                   ".\nSave the records before closing the program.",
               kAppTitle, PromptIcon::Error);
    }
    m_bSafeKeepFailed = !failures.isEmpty();
}
