#pragma once

// How the workbook reader turns stored values into the texts the driver
// returns: numbers, dates and times by their cell's number format, and the
// error codes of cells and formula results.

#include <QString>

enum class DateKind { None, Date, Time, DateTime };

// Whether a number format shows a date, a time, both, or neither.
// `builtin` is the format's index; `code` its format text when the workbook
// gives one (it then decides).
DateKind BuiltinDateKind(unsigned builtin);
DateKind DateKindOf(const QString& code);

// A day number (days since 1899-12-31, or 1904-01-01 with `from1904`) as
// YYYY-MM-DD, HH:MM:SS or both, to the nearest second; empty when it is no
// date (negative, or past the year 9999).
QString DateText(double serial, DateKind kind, bool from1904);

// The text of a cell error code: "#DIV/0!", "#N/A", ...
QString ErrorText(unsigned code);

// A number as the driver shows it: whole numbers up to 2^53 as their digits
// ("12", "1230000000000000"), others in the shortest digits that read back
// as the same number ("3.5", "-0.25", "0.0000001"); a larger whole number,
// which no digits give exactly, in exponent form ("1.2345e+20").
QString NumberText(double value);
