#include "data/Tokenizer.h"

#include <cstring>

#include "platform/Text8.h"

qsizetype ForEachToken(const QByteArray& text, const char* delimiters,
                       const std::function<void(const QString&)>& onToken, bool takeUnendedLast) {
    const char* data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c != '\0' && std::strchr(delimiters, c)) {
            onToken(text8::Decode(QByteArray::fromRawData(data + start, i - start)));
            start = i + 1;
        }
    }
    if (takeUnendedLast && start < n) {
        onToken(text8::Decode(QByteArray::fromRawData(data + start, n - start)));
    }
    return n - start;
}
