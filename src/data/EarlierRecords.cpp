#include "data/EarlierRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/RecordFile.h"

EarlierRecords KeepEarlierRecordFile(const QString& path, const QDateTime& now, QString* kept,
                                     QString* error) {
    std::vector<std::array<QString, 8>> records;
    if (!QFileInfo::exists(path) || (ReadRecordFile(path, &records) && records.empty())) {
        return EarlierRecords::None;
    }
    // A file that cannot be read is kept too: it may hold records.
    const QFileInfo info(path);
    // Joined by hand: QDir::filePath() takes a name that starts with ':' for a resource.
    const QString stem = info.absolutePath() + '/' + info.completeBaseName() + "-" +
                         now.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    const QString suffix = "." + info.suffix();
    QFile file(path);
    for (int n = 1; n < 1000; ++n) {
        const QString target =
            n == 1 ? stem + suffix : QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix);
        if (QFileInfo::exists(target)) {
            continue;
        }
        // rename() never replaces an existing file.
        if (file.rename(target)) {
            *kept = target;
            return EarlierRecords::Kept;
        }
        *error = file.errorString();
        return EarlierRecords::NotKept;
    }
    *error = QStringLiteral("every dated name is taken");
    return EarlierRecords::NotKept;
}
