#include "ledger/LedgerEntry.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<InventoryChangeKind, const char*>, 5> kKindNames = {{
    {InventoryChangeKind::CountResult, "count result"},
    {InventoryChangeKind::DumpResult, "dump result"},
    {InventoryChangeKind::IncompletePacket, "incomplete packet"},
    {InventoryChangeKind::Correction, "correction"},
    {InventoryChangeKind::OpeningBalance, "opening balance"},
}};

qint64 Seeds(const QString& value) {
    bool ok = false;
    const qint64 n = value.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

}  // namespace

qint64 LedgerEntry::Amount() const {
    return Seeds(after) - Seeds(before);
}

QString LedgerEntry::SourceText() const {
    QStringList parts;
    if (!run.isEmpty()) {
        parts << QString("run %1").arg(run);
    }
    if (record > 0) {
        parts << QString("record %1").arg(record);
    }
    if (!file.isEmpty()) {
        parts << QString("saved in %1").arg(file);
    }
    return parts.join(", ");
}

QString KindName(InventoryChangeKind kind) {
    for (const auto& [k, name] : kKindNames) {
        if (k == kind) {
            return QString::fromLatin1(name);
        }
    }
    return QString();
}

std::optional<InventoryChangeKind> KindFromName(const QString& name) {
    for (const auto& [k, text] : kKindNames) {
        if (name == QLatin1String(text)) {
            return k;
        }
    }
    return std::nullopt;
}

QString LedgerTimeText(const QDateTime& time) {
    return time.toUTC().toString("yyyy-MM-ddTHH:mm:ss.zzzZ");
}
