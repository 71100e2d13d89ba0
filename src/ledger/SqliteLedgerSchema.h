#pragma once

#include "ledger/LedgerProblem.h"

class QSqlDatabase;

// The SQLite ledger's schema, numbered in the database's user_version. Each
// version is reached from the one before by its own step, in one
// transaction, so a database of any older console is brought up to date.
inline constexpr int kSqliteLedgerSchemaVersion = 3;

// The version `db` is at (0 for an empty database), or -1 with `problem` set.
int SqliteLedgerSchemaVersion(QSqlDatabase& db, LedgerProblem* problem);
// Brings `db` up to version `upTo`; a database of a newer version is left
// untouched and reported.
LedgerProblem MigrateSqliteLedger(QSqlDatabase& db, int upTo = kSqliteLedgerSchemaVersion);

// The problem that a failed statement of `db` means.
LedgerProblem SqliteProblem(const QSqlDatabase& db, const class QSqlError& error);
