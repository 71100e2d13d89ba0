#pragma once

#include <QString>

// The operator and the station each transaction carries, kept in the
// console's settings; the OS user and the host name when none is set.
QString StoredOperator();
void StoreOperator(const QString& name);
QString StoredStation();
void StoreStation(const QString& name);

// Why `name` cannot be the operator's name (or, with `what` "station", the
// station's); empty when it can.
QString OperatorNameProblem(const QString& name, const QString& what = "operator");

// The lab's ledger server as a libpq connection string; empty: the ledger
// stays on this computer.
QString StoredServer();
void StoreServer(const QString& conninfo);
// Why `conninfo` cannot be kept; empty when it can. A password never is.
QString ServerTextProblem(const QString& conninfo);
