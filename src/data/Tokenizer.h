#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Splits text-mode bytes into tokens ended by any of `delimiters`. Two
// delimiters in a row give an empty token; the bytes after the last delimiter
// are not a token. Tokens are read whole, whatever their length.
void ForEachToken(const QByteArray& text, const char* delimiters,
                  const std::function<void(const QString&)>& onToken);
