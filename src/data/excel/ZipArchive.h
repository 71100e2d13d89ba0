#pragma once

#include <QByteArray>
#include <QString>

// A zip archive held in memory, read with minizip. Entries are found by name
// in any case. Every failure throws UnreadableWorkbookError naming `file`.
class ZipArchive {
public:
    ZipArchive(QByteArray bytes, const QString& file);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool Contains(const QString& name) const;
    // The unpacked bytes of the entry `name`. Refuses an entry that unpacks
    // to more than `maxBytes`, or that takes the archive's unpacked total
    // past kMaxTotalBytes, before unpacking it; never holds more than the
    // entry's declared size, and an entry whose bytes are not what it
    // declares fails as damaged.
    QByteArray Read(const QString& name, qint64 maxBytes);

    static constexpr qint64 kMaxTotalBytes = 512LL * 1024 * 1024;
    static constexpr unsigned long kMaxEntries = 10000;

    // The bytes and read position minizip's file functions work on.
    struct Source {
        QByteArray bytes;
        qint64 pos = 0;
    };

private:
    [[noreturn]] void Fail(const QString& why) const;

    Source m_source;
    QString m_file;
    void* m_zip = nullptr;
    qint64 m_unpacked = 0;
};
