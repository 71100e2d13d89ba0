#include "platform/ExeFolder.h"

#include <QFile>

QString ExeFolderFromPath(const QString& exePath) {
    static const QString kName = QStringLiteral("vyn8_rk47");
    const qsizetype slash = exePath.lastIndexOf('/');
    if (exePath.mid(slash + 1) != kName) {
        return QString();
    }
    return exePath.left(slash + 1);
}

QString ExeFolder() {
    return ExeFolderFromPath(QFile::symLinkTarget("/proc/self/exe"));
}
