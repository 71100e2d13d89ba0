#include "ledger/LedgerSettings.h"

#include <QSettings>

#include "ledger/Ledger.h"

namespace {
constexpr const char* kOperatorKey = "Ledger/Operator";
constexpr const char* kStationKey = "Ledger/Station";
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

QString OperatorNameProblem(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return "The operator needs a name.";
    }
    if (trimmed.size() > kLongestName) {
        return QString("The operator's name is longer than %1 characters.").arg(kLongestName);
    }
    for (const QChar c : trimmed) {
        if (c.category() == QChar::Other_Control) {
            return "The operator's name cannot hold a TAB, a line break or another control "
                   "character.";
        }
    }
    return QString();
}
