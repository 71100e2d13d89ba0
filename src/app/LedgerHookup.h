#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "data/InventoryChange.h"
#include "ledger/LedgerProblem.h"

class Ledger;
class QLabel;
class QStatusBar;
class QWidget;

// The inventory ledger in the window: started with the console, fed the
// final figures of each sample, shown in the status bar with the operator.
// The operator hears once when the ledger cannot be written (transactions
// then wait in memory and are retried) and once when all that waited is kept.
class LedgerHookup : public QObject {
    Q_OBJECT
public:
    LedgerHookup(Ledger& ledger, QStatusBar* statusBar);

    // Opens the ledger beside `inventoryFile` and says what its start found.
    void Start(const QString& inventoryFile);
    void Record(const FinalFigures& figures);
    void NoteSaved(int recordCount, const QString& file);
    // Takes the operator's name from the settings (after Setup).
    void TakeOperator();
    void ExportLedger(QWidget* parent);

    Ledger& ledger() { return m_ledger; }
    QString StatusText() const;

private:
    void Report(const LedgerProblem& problem);
    void ShowStatus();

    Ledger& m_ledger;
    QLabel* m_label = nullptr;
    QTimer m_retry;
    bool m_bTold = false;  // the operator knows the ledger cannot be written
};
