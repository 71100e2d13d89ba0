#include "ledger/LedgerSettings.h"

#include <QSettings>

#include "ledger/Ledger.h"
#include "ledger/PgLedgerSchema.h"

namespace {
constexpr const char* kOperatorKey = "Ledger/Operator";
constexpr const char* kStationKey = "Ledger/Station";
constexpr const char* kServerKey = "Ledger/Server";
constexpr qsizetype kLongestName = 64;
}  // namespace

QString StoredOperator() {
    const QString name = QSettings().value(kOperatorKey).toString();
    return name.isEmpty() ? Ledger::DefaultOperator() : name;
}

void StoreOperator(const QString& name) {
    QSettings().setValue(kOperatorKey, name.trimmed());
}

QString StoredStation() {
    const QString name = QSettings().value(kStationKey).toString();
    return name.isEmpty() ? Ledger::DefaultStation() : name;
}

void StoreStation(const QString& name) {
    QSettings().setValue(kStationKey, name.trimmed());
}

QString StoredServer() {
    return QSettings().value(kServerKey).toString();
}

void StoreServer(const QString& conninfo) {
    QSettings().setValue(kServerKey, conninfo.trimmed());
}

QString ServerTextProblem(const QString& conninfo) {
    if (ServerLocation(conninfo) != conninfo.trimmed()) {
        return "The console never keeps a password: put it in ~/.pgpass or the service file "
               "(~/.pg_service.conf) and leave it out of the connection string.";
    }
    for (const QChar c : conninfo) {
        if (c.category() == QChar::Other_Control) {
            return "The ledger server's connection string cannot hold a TAB, a line break or "
                   "another control character.";
        }
    }
    return QString();
}

QString OperatorNameProblem(const QString& name, const QString& what) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return QString("The %1 needs a name.").arg(what);
    }
    if (trimmed.size() > kLongestName) {
        return QString("The %1's name is longer than %2 characters.").arg(what).arg(kLongestName);
    }
    for (const QChar c : trimmed) {
        if (c.category() == QChar::Other_Control) {
            return QString(
                       "The %1's name cannot hold a TAB, a line break or another control "
                       "character.")
                .arg(what);
        }
    }
    return QString();
}
