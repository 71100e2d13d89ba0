#include "platform/Text8.h"

#include <sys/stat.h>
#include <unistd.h>
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

QByteArray EncodeField(const QString& text) {
    QByteArray out;
    out.resize(text.size());
    char* dst = out.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\t' || u == '\r' || u == '\n') {
            *dst++ = ' ';
        } else {
            *dst++ = u > 0xFF ? '?' : static_cast<char>(u);
        }
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

namespace {

bool Fail(QFileDevice& f, QString* error) {
    if (error) {
        *error = f.errorString();
    }
    return false;
}

// Writes `disk` into the file in place (emptied first): for a file that may
// be replaced only by writing into it.
bool WriteInPlace(const QString& path, const QByteArray& disk, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(disk) != disk.size() ||
        !f.flush()) {
        return Fail(f, error);
    }
    f.close();
    return true;
}

}  // namespace

bool WriteFileAtomic(const QString& path, const QByteArray& textMode, QString* error) {
    return WriteBytesAtomic(path, ToDisk(textMode), error);
}

bool WriteBytesAtomic(const QString& path, const QByteArray& disk, QString* error) {
    const QByteArray native = QFile::encodeName(path);
    struct stat old {};
    const bool replacing = ::stat(native.constData(), &old) == 0;

    QSaveFile f(path);
    // A folder that cannot take the temporary file (a shared install whose
    // data files are writable, its folder not): the file is written in place.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly)) {
        return Fail(f, error);
    }
    if (replacing) {
        struct stat now {};
        const bool inPlace =
            ::fstat(f.handle(), &now) == 0 && now.st_ino == old.st_ino && now.st_dev == old.st_dev;
        // The new file takes the owner and mode of the one it replaces. When
        // the owner cannot be given (another user's file), only writing into
        // the file itself keeps it.
        if (!inPlace && (::fchown(f.handle(), old.st_uid, old.st_gid) != 0 ||
                         ::fchmod(f.handle(), old.st_mode & 07777) != 0)) {
            f.cancelWriting();
            return WriteInPlace(path, disk, error);
        }
    }
    if (f.write(disk) != disk.size()) {
        Fail(f, error);
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        return Fail(f, error);
    }
    return true;
}

}  // namespace text8
