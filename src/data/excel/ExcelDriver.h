#pragma once

#include <QString>
#include <QStringList>

// The built-in Excel workbook driver's name as it appears in the installed
// driver list.
inline constexpr const char* kBuiltinExcelDriverName = "VYN8 Excel Driver (*.xls)";

// The installed driver list: the built-in workbook driver, plus any names
// from the environment variable VYN8_ODBC_DRIVERS (separated by ';'). The
// variable set to "none" lists no driver at all.
QStringList InstalledDrivers();
// The first name in `drivers` containing "Excel" (case-sensitive); empty when
// none does. The walk stops at the first empty name, as the list's end.
QString FindExcelDriver(const QStringList& drivers);
