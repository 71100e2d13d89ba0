#include "data/BalanceSettings.h"

#include <QRegularExpression>
#include <QSettings>

namespace {

constexpr char kGroup[] = "balance/";

}  // namespace

bool ParseBalancePort(const QString& text, QString* port, QString* why) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare("None", Qt::CaseInsensitive) == 0) {
        port->clear();
        return true;
    }
    static const QRegularExpression com("^COM([1-9])$", QRegularExpression::CaseInsensitiveOption);
    if (const auto m = com.match(t); m.hasMatch()) {
        *port = "COM" + m.captured(1);
        return true;
    }
    if (t.startsWith('/') && !t.contains('\t')) {
        *port = t;
        return true;
    }
    *why = QStringLiteral(
               "The balance's port is None, COM1 to COM9, or a device path such as "
               "/dev/ttyUSB0; \"%1\" is none of these.")
               .arg(t);
    return false;
}

QStringList BalanceProtocols() {
    return {"MT-SICS"};
}

BalanceSettings StoredBalanceSettings() {
    QSettings s;
    const QString g = kGroup;
    BalanceSettings b;
    b.port = s.value(g + "port").toString();
    b.baud = s.value(g + "baud", b.baud).toInt();
    b.dataBits = s.value(g + "dataBits", b.dataBits).toInt();
    const QString parity = s.value(g + "parity", "N").toString();
    b.parity = parity == "E" || parity == "O" ? parity[0].toLatin1() : 'N';
    b.stopBits = s.value(g + "stopBits", b.stopBits).toInt() == 2 ? 2 : 1;
    const QString protocol = s.value(g + "protocol", b.protocol).toString();
    if (BalanceProtocols().contains(protocol)) {
        b.protocol = protocol;
    }
    if (b.baud <= 0) {
        b.baud = BalanceSettings().baud;
    }
    if (b.dataBits < 7 || b.dataBits > 8) {
        b.dataBits = BalanceSettings().dataBits;
    }
    return b;
}

void StoreBalanceSettings(const BalanceSettings& b) {
    QSettings s;
    const QString g = kGroup;
    s.setValue(g + "port", b.port.trimmed());
    s.setValue(g + "baud", b.baud);
    s.setValue(g + "dataBits", b.dataBits);
    s.setValue(g + "parity", QString(QChar(b.parity)));
    s.setValue(g + "stopBits", b.stopBits);
    s.setValue(g + "protocol", b.protocol);
}

bool StoredChaffy(const QString& seed) {
    return QSettings().value("seedWeight/chaffy/" + seed, false).toBool();
}

void StoreChaffy(const QString& seed, bool chaffy) {
    QSettings().setValue("seedWeight/chaffy/" + seed, chaffy);
}
