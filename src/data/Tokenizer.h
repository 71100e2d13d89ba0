#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Splits text-mode bytes into tokens ended by any of `delimiters`. Two
// delimiters in a row give an empty token. The bytes after the last
// delimiter are a token only when `takeUnendedLast` is set. Tokens are read
// whole, whatever their length. Returns the number of bytes after the last
// delimiter.
qsizetype ForEachToken(const QByteArray& text, const char* delimiters,
                       const std::function<void(const QString&)>& onToken,
                       bool takeUnendedLast = false);
