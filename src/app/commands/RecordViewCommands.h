#pragma once

#include <QString>

class Cvyn8_rk47Doc;
class LedgerHookup;
class QWidget;

namespace commands {

// View > Review Sample Opened: the records of the opened file, when there are any.
void OnReviewSampleOpened(Cvyn8_rk47Doc& doc, QWidget* parent);
// View > I.D.(Variety): the inventory check; with a ledger, the history of
// an ID and its corrections, which rewrite `inventoryFile`, and the other
// stations' counts as they come while it is open.
void OnCheckInventory(Cvyn8_rk47Doc& doc, QWidget* parent, LedgerHookup* ledger = nullptr,
                      const QString& inventoryFile = QString());
// View > Edit: the records of this run, shown again after each Enter until cancelled.
void OnViewCurrentSample(Cvyn8_rk47Doc& doc, QWidget* parent);

}  // namespace commands
