#pragma once

#include <QString>
#include <QStringList>

// The laboratory balance on the console's second line, as Setup keeps it in
// the settings: no port means no balance (the default).
struct BalanceSettings {
    QString port;  // "", "COM1".."COM9" or a device path
    int baud = 9600;
    int dataBits = 8;
    char parity = 'N';  // 'N', 'E', 'O'
    int stopBits = 1;
    QString protocol = "MT-SICS";

    bool Enabled() const { return !port.isEmpty(); }
    bool operator==(const BalanceSettings&) const = default;
};

// The port as the operator typed it: "None" or nothing for no balance,
// COM1 to COM9 (any case), or an absolute device path. Sets `port` to the
// stored form; false with the reason when it is none of these.
bool ParseBalancePort(const QString& text, QString* port, QString* why);

// The protocols the console speaks with a balance.
QStringList BalanceProtocols();

BalanceSettings StoredBalanceSettings();
void StoreBalanceSettings(const BalanceSettings& settings);

// Whether a seed (by its seed set's name) is chaffy, as last chosen for it.
bool StoredChaffy(const QString& seed);
void StoreChaffy(const QString& seed, bool chaffy);
