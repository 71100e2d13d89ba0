#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/DataFolder.h"
#include "support/TestSupport.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(DataFolder, ANamedFolderThenACopyBesideTheProgramThenTheUsersOwn) {
    TempWorkDir dir;
    QDir(dir.Path("")).mkpath("prog");
    const QString prog = dir.Path("prog/");
    const QString user = dir.Path("user");
    EXPECT_EQ(ChooseDataFolder({"", prog, user}), user + "/");
    dir.Write("prog/SeedPara.txt", kThreeSeedSets);
    EXPECT_EQ(ChooseDataFolder({"", prog, user}), prog);
    EXPECT_EQ(ChooseDataFolder({"/srv/vyn8", prog, user}), "/srv/vyn8/");
    // A relative name is taken from the current folder and shown whole.
    EXPECT_EQ(ChooseDataFolder({"shared", prog, user}), dir.Path("shared/"));
}

TEST(DataFolder, AFolderMadeOnTheFirstStartGetsTheDefaultSeedSets) {
    TempWorkDir dir;
    dir.Write("default.txt", "Oats 50 5 10 10\r\n");
    const QString fresh = dir.Path("a/b/");
    EXPECT_EQ(PrepareDataFolder(fresh, dir.Path("default.txt")), "");
    EXPECT_EQ(ReadAll(fresh + "SeedPara.txt"), "Oats 50 5 10 10\r\n");

    // A folder that exists already is left as it is: its own seed sets stay,
    // and a folder without any gets none (the console then says it misses
    // them).
    dir.Write("a/b/SeedPara.txt", kThreeSeedSets);
    EXPECT_EQ(PrepareDataFolder(fresh, dir.Path("default.txt")), "");
    EXPECT_EQ(ReadAll(fresh + "SeedPara.txt"), kThreeSeedSets);
    EXPECT_EQ(PrepareDataFolder(dir.Path(""), dir.Path("default.txt")), "");
    EXPECT_FALSE(dir.Exists("SeedPara.txt"));
    EXPECT_EQ(QDir(fresh).entryList(QDir::Files | QDir::Hidden), QStringList{"SeedPara.txt"});
}

TEST(DataFolder, AFolderThatCannotBeMadeOrWrittenIsNamedInTheMessage) {
    TempWorkDir dir;
    dir.Write("plain-file", "x");
    const QString under = dir.Path("plain-file/data/");
    const QString made = PrepareDataFolder(under, ":/vyn8/SeedPara.txt");
    EXPECT_TRUE(made.startsWith("The data folder " + under + " cannot be created ("))
        << made.toStdString();
    EXPECT_TRUE(made.contains("--data-dir"));
    // /proc refuses new files even to root.
    const QString written = PrepareDataFolder("/proc/", ":/vyn8/SeedPara.txt");
    EXPECT_TRUE(written.startsWith("The data folder /proc/ cannot be written ("))
        << written.toStdString();
}

TEST(DataFolder, TheDefaultSeedSetsAreTheShippedOnesElseTheBuiltInCopy) {
    TempWorkDir dir;
    QDir(dir.Path("")).mkpath("usr/bin");
    const QString bin = dir.Path("usr/bin/");
    const QString builtIn = DefaultSeedParaFile(bin);
    EXPECT_EQ(builtIn, ":/vyn8/SeedPara.txt");
    EXPECT_EQ(ReadAll(builtIn), ReadAll(VYN8_SOURCE_DIR "/resources/SeedPara.txt"));
    QDir(dir.Path("")).mkpath("usr/share/vyn8");
    dir.Write("usr/share/vyn8/SeedPara.txt", "Site 50 5 10 10\r\n");
    EXPECT_EQ(DefaultSeedParaFile(bin),
              QFileInfo(dir.Path("usr/share/vyn8/SeedPara.txt")).canonicalFilePath());
}
