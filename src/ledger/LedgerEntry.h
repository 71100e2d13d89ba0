#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "data/InventoryChange.h"

// One inventory transaction as the ledger keeps it. Nothing in it changes
// once stored; the balance of an ID is the value after its latest one in the
// lab's order: opening balances first (an opening balance only opens an ID
// the lab did not know), then in the order the lab's server received them,
// then what it has not received yet.
struct LedgerEntry {
    qint64 id = 0;        // given by the store
    QString station;      // the counting station (host name unless set)
    qint64 sequence = 0;  // the station's own numbering, given by the store
    QString time;         // when the change was made: UTC, ISO 8601 with milliseconds
    QString operatorName;
    QString sampleId;
    InventoryChangeKind kind = InventoryChangeKind::CountResult;
    QString before;  // empty: the ID had no inventory
    QString after;
    QString run;     // the console run the record belongs to; empty for none
    int record = 0;  // the record's number in its run (from 1), 0 for none
    QString file;    // the file the record was saved to, once saved
    QString reason;  // required for a correction
    // When the ledger read from kept it: the time, or for another station's
    // transaction when it came from the lab's server.
    QString kept;

    // The change in seeds: after minus before, an empty or non-numeric value
    // counting as 0.
    qint64 Amount() const;
    // "run R, record N, saved in FILE" as far as known; empty for none.
    QString SourceText() const;
};

// The kind as stored and shown: "count result", "dump result", ...
QString KindName(InventoryChangeKind kind);
std::optional<InventoryChangeKind> KindFromName(const QString& name);

// ISO 8601, UTC, with milliseconds: 2026-12-08T05:52:44.123Z.
QString LedgerTimeText(const QDateTime& time);
