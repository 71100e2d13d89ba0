#pragma once

#include <QString>

class Ledger;
class QWidget;

// Export Ledger...: asks for a file, writes the whole ledger (or `id`'s
// history) to it as CSV or as BrAPI JSON by the type chosen, and tells the
// operator when it could not be written.
void ExportLedgerInteractively(Ledger& ledger, const QString& id, QWidget* parent);
