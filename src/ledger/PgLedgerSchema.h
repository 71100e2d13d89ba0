#pragma once

#include <QString>

#include "ledger/LedgerProblem.h"

class QSqlDatabase;
class QSqlError;

// The ledger's tables on a PostgreSQL server, shared by every station of a
// lab. Stations log in as members of the role kStationRole, which may only
// read and add: no station can change or delete a transaction (the grants,
// and triggers that refuse UPDATE, DELETE and TRUNCATE even to the owner).
inline constexpr int kServerSchemaVersion = 1;
inline constexpr const char* kStationRole = "vyn8_station";

// The schema version the server holds; 0 for none.
int ServerSchemaVersion(QSqlDatabase& db, LedgerProblem* problem);
// Makes or brings the schema up to `kServerSchemaVersion`, and the station
// role with its grants. Needs the rights of the database's owner.
LedgerProblem MigrateServerLedger(QSqlDatabase& db);

// The connection string as it may be shown and logged: any password taken out.
QString ServerLocation(const QString& conninfo);

// The server's error as the ledger's problem, naming `location`.
LedgerProblem ServerProblem(const QString& location, const QSqlError& error);
