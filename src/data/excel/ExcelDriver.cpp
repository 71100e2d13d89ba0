#include "data/excel/ExcelDriver.h"

#include <QtGlobal>

QStringList InstalledDrivers() {
    const QString env = qEnvironmentVariable("VYN8_ODBC_DRIVERS");
    if (env == QLatin1String("none")) {
        return {};
    }
    QStringList out;
    if (!env.isEmpty()) {
        out = env.split(';', Qt::SkipEmptyParts);
    }
    out << QString::fromLatin1(kBuiltinExcelDriverName);
    return out;
}

QString FindExcelDriver(const QStringList& drivers) {
    for (const QString& name : drivers) {
        if (name.isEmpty()) {
            break;
        }
        if (name.contains(QLatin1String("Excel"), Qt::CaseSensitive)) {
            return name;
        }
    }
    return QString();
}
