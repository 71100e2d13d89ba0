#pragma once

#include <QString>

// The C library's decimal conversion as the console uses it (_wtoi, atoi):
// leading blanks skipped, an optional sign, digits up to the first non-digit,
// 0 when there are none. Values beyond the int range are clamped.
int WToI(const QString& text);

// True when `text` is one or more of the digits '0'..'9' and nothing else.
bool IsWholeNumber(QStringView text);

// The dialogs' numeric field test, run on every change of a numeric edit:
// "Entry digit number !" at the first character outside '0'..'9', then
// "Invalid Value !" when the value is above 65535. Warnings only.
void WarnIfNotNumeric(const QString& text);
