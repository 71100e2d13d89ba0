#pragma once

#include <QString>

// An ISO date as stored in a cell of type "d" ("2024-03-09T14:05:30") in the
// form above; the text itself when it does not read as one.
QString IsoDateText(const QString& iso);

// The text of a string with its _xHHHH_ escapes decoded.
QString DecodeXmlEscapes(const QString& text);
