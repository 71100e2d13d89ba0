#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "ledger/LedgerEntry.h"
#include "ledger/LedgerProblem.h"

// Hands every transaction to export to `visit`, oldest first, until it
// returns false: the whole ledger, or one ID's history.
using LedgerWalk =
    std::function<LedgerProblem(const std::function<bool(const LedgerEntry&)>& visit)>;

// The CSV file's columns.
const QStringList& LedgerCsvColumns();

// The transactions as CSV (RFC 4180, UTF-8 after a byte-order mark), one row
// each under the column names.
bool ExportLedgerCsv(const LedgerWalk& walk, const QString& path, QString* error);

// The transactions as the body of BrAPI v2's POST /seedlots/transactions: a
// JSON array of SeedLot transactions, the ID as the lot the seeds went to
// (or came from, when the inventory fell), the amount the size of the change
// in seeds, and the ledger's own fields as texts in additionalInfo.
bool ExportLedgerBrapi(const LedgerWalk& walk, const QString& path, QString* error);
