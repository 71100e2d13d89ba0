#include "platform/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "platform/Text8.h"

namespace {

QString g_dataFolder;

QString WithSlash(const QString& folder) {
    return folder.isEmpty() || folder.endsWith('/') ? folder : folder + '/';
}

QString CannotBe(const QString& folder, const char* what, const QString& reason) {
    return QStringLiteral(
               "The data folder %1 cannot be %2 (%3).\nThe seed sets, the inventory and the "
               "unsaved records are kept there. Save the records of this run before closing, "
               "and name a folder you can write with --data-dir or VYN8_DATA_DIR.")
        .arg(folder, QLatin1String(what), reason);
}

}  // namespace

QString ChooseDataFolder(const DataFolderInputs& inputs) {
    if (!inputs.named.isEmpty()) {
        return WithSlash(QDir(inputs.named).absolutePath());
    }
    const QString beside = WithSlash(inputs.programFolder);
    if (!beside.isEmpty() && QFileInfo(beside + "SeedPara.txt").isFile()) {
        return beside;
    }
    return WithSlash(inputs.userFolder);
}

QString PrepareDataFolder(const QString& name, const QString& defaultSeedPara) {
    const QString folder = WithSlash(name);
    const std::filesystem::path path(QFile::encodeName(folder).constData());
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) {
        std::filesystem::create_directories(path, ec);
        if (ec) {
            return CannotBe(folder, "created", QString::fromStdString(ec.message()));
        }
        QByteArray seeds;
        if (text8::ReadFile(defaultSeedPara, &seeds)) {
            QString error;
            if (!text8::WriteFileAtomic(folder + "SeedPara.txt", seeds, &error)) {
                return CannotBe(folder, "written", error);
            }
        }
    }
    QTemporaryFile probe(folder + ".vyn8-write-check-XXXXXX");
    if (!probe.open()) {
        return CannotBe(folder, "written", probe.errorString());
    }
    return QString();
}

QString DataFolder() {
    return g_dataFolder;
}

void SetDataFolder(const QString& folder) {
    g_dataFolder = WithSlash(folder);
}

QString ProgramFolder() {
    return WithSlash(QCoreApplication::applicationDirPath());
}

QString ShippedFile(const QString& programFolder, const QString& name) {
    for (const QString& candidate :
         {programFolder + "../share/vyn8/" + name, programFolder + name}) {
        if (QFileInfo(candidate).isFile()) {
            return QFileInfo(candidate).canonicalFilePath();
        }
    }
    return QString();
}

QString DefaultSeedParaFile(const QString& programFolder) {
    const QString shipped = ShippedFile(programFolder, "SeedPara.txt");
    return shipped.isEmpty() ? QStringLiteral(":/vyn8/SeedPara.txt") : shipped;
}
