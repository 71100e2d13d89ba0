#pragma once

#include <QString>

// How a number cell of an .xlsx workbook reads as text, by its number format.
enum class DateKind { None, Date, DateTime, Time };

// Whether the format shows a date, a date and time, a time, or none: the
// built-in formats by their id, others by their format code.
DateKind DateKindOfFormat(int numFmtId, const QString& formatCode);

// The serial day number `serial` as "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or
// "HH:MM:SS"; empty when it is no date (negative, or past the year 9999).
QString SerialDateText(double serial, DateKind kind, bool date1904);

// An ISO date as stored in a cell of type "d" ("2024-03-09T14:05:30") in the
// form above; the text itself when it does not read as one.
QString IsoDateText(const QString& iso);

// The text of a string with its _xHHHH_ escapes decoded.
QString DecodeXmlEscapes(const QString& text);
