#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A private folder for the files a fuzz target writes, removed at exit.
inline const QString& FuzzFolder() {
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

// `bytes` written to `name` in the fuzz folder; returns the file's path.
inline QString WriteFuzzFile(const QString& name, const QByteArray& bytes) {
    const QString path = FuzzFolder() + '/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
    return path;
}

// The bytes of the file at `path`; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Empties the fuzz folder for the next input.
inline void ClearFuzzFolder() {
    QDir dir(FuzzFolder());
    // By path: QDir takes a name that starts with ':' for a resource.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile::remove(FuzzFolder() + '/' + name);
    }
}
