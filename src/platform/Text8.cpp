#include "platform/Text8.h"

#include <QFile>
#include <QSaveFile>

namespace text8 {

QByteArray Encode(const QString& text) {
    QByteArray out;
    out.resize(text.size());
    char* dst = out.data();
    for (QChar c : text) {
        *dst++ = static_cast<char>(c.unicode() & 0xFF);
    }
    return out;
}

QString Decode(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

QByteArray ToDisk(const QByteArray& textMode) {
    QByteArray out;
    out.reserve(textMode.size() + textMode.count('\n'));
    for (char c : textMode) {
        if (c == '\n') {
            out.append('\r');
        }
        out.append(c);
    }
    return out;
}

QByteArray FromDisk(const QByteArray& onDisk) {
    QByteArray out;
    out.reserve(onDisk.size());
    const qsizetype n = onDisk.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = onDisk[i];
        if (c == '\r' && i + 1 < n && onDisk[i + 1] == '\n') {
            continue;
        }
        out.append(c);
    }
    return out;
}

bool ReadFile(const QString& path, QByteArray* textMode) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return false;
    }
    *textMode = FromDisk(f.readAll());
    return true;
}

bool WriteFileAtomic(const QString& path, const QByteArray& textMode, QString* error) {
    return WriteBytesAtomic(path, ToDisk(textMode), error);
}

bool WriteBytesAtomic(const QString& path, const QByteArray& disk, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = f.errorString();
        }
        return false;
    }
    if (f.write(disk) != disk.size()) {
        if (error) {
            *error = f.errorString();
        }
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) {
            *error = f.errorString();
        }
        return false;
    }
    return true;
}

}  // namespace text8
