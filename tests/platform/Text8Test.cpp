#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/NumText.h"
#include "platform/Text8.h"
#include "support/TestSupport.h"

TEST(Text8, WritesLowByteOfEachUnitAndReadsLatin1) {
    EXPECT_EQ(text8::Encode(QString(QChar(0x00E9))), QByteArray("\xE9"));
    EXPECT_EQ(text8::Encode(QString(QChar(0x4E2D))), QByteArray("\x2D"));
    EXPECT_EQ(text8::Decode(QByteArray("\xE9t\xE9")), QString::fromUtf8("été"));
}

TEST(Text8, LineEndsAreCrLfOnDiskAndOnlyPairsFoldBack) {
    EXPECT_EQ(text8::ToDisk("a\nb\n"), QByteArray("a\r\nb\r\n"));
    // A lone CR is an ordinary character; only CR LF folds to LF.
    EXPECT_EQ(text8::FromDisk("a\r\nb\rc\r\r\n"), QByteArray("a\nb\rc\r\n"));
    EXPECT_EQ(text8::FromDisk("\r"), QByteArray("\r"));
}

TEST(Text8, AtomicWriteReplacesWholeFileAndReportsFailure) {
    TempWorkDir dir;
    const QString path = dir.Path("out.txt");
    ASSERT_TRUE(text8::WriteFileAtomic(path, "old\n"));
    ASSERT_TRUE(text8::WriteFileAtomic(path, "new\n"));
    EXPECT_EQ(dir.Read("out.txt"), QByteArray("new\r\n"));

    QString error;
    EXPECT_FALSE(text8::WriteFileAtomic(dir.Path("no/such/folder/x.txt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Text8, ReadOnlyFileInReadOnlyFolderFailsAndKeepsOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "skipped: root ignores file and folder permissions";
    }
    TempWorkDir dir;
    dir.Write("keep.txt", "kept");
    QFile::setPermissions(dir.Path("keep.txt"), QFileDevice::ReadOwner);
    QFile::setPermissions(dir.Path(""), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(text8::WriteFileAtomic(dir.Path("keep.txt"), "lost"));
    QFile::setPermissions(dir.Path(""),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(dir.Read("keep.txt"), QByteArray("kept"));
}

namespace {

// While alive, the process acts as a user who owns neither the folder nor
// its files: "nobody" when the tests run as root (root ignores
// permissions); otherwise the current user, who can only be kept out of a
// folder by its mode.
class AsAnotherUser {
public:
    AsAnotherUser() : m_root(geteuid() == 0) {
        if (m_root) {
            EXPECT_EQ(setegid(kNobody), 0);
            EXPECT_EQ(seteuid(kNobody), 0);
        }
    }
    ~AsAnotherUser() {
        if (m_root) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
        }
    }
    static constexpr uid_t kNobody = 65534;

private:
    bool m_root;
};

struct stat StatOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st;
}

}  // namespace

// A shared install: data files writable by all in a folder that is not (no
// temporary file can be made there), or in a folder that is, where the new
// file could not be given the old one's owner. Either way the file is
// written in place and keeps its owner and mode.
class Text8SharedFile : public ::testing::TestWithParam<mode_t> {};

TEST_P(Text8SharedFile, IsWrittenInPlaceKeepingOwnerAndMode) {
    TempWorkDir dir;
    const QString path = dir.Path("data.txt");
    dir.Write("data.txt", "old");
    const QByteArray folder = QFile::encodeName(dir.Path(""));
    const QByteArray file = QFile::encodeName(path);
    ASSERT_EQ(::chmod(file.constData(), 0666), 0);
    const bool root = geteuid() == 0;
    // Without root the folder is kept from taking new files by its mode.
    const mode_t folderMode = root ? GetParam() : (GetParam() & 0777) == 0777 ? 0777 : 0555;
    ASSERT_EQ(::chmod(folder.constData(), folderMode), 0);
    const struct stat before = StatOf(path);
    bool written = false;
    QString error;
    {
        AsAnotherUser other;
        written = text8::WriteFileAtomic(path, "new\n", &error);
    }
    ::chmod(folder.constData(), 0700);
    EXPECT_TRUE(written) << error.toStdString();
    EXPECT_EQ(dir.Read("data.txt"), QByteArray("new\r\n"));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(QDir(dir.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"data.txt"});
}

INSTANTIATE_TEST_SUITE_P(FolderModes, Text8SharedFile, ::testing::Values(0755, 0777));

TEST(Text8, ReplacedFileKeepsItsOwnerAndMode) {
    TempWorkDir dir;
    const QString path = dir.Path("data.txt");
    dir.Write("data.txt", "old");
    const QByteArray file = QFile::encodeName(path);
    ASSERT_EQ(::chmod(file.constData(), 0640), 0);
    // Only root can give a file to another user; others check the mode.
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.constData(), 12345, 23456), 0);
    }
    ASSERT_TRUE(text8::WriteFileAtomic(path, "new\n"));
    EXPECT_EQ(dir.Read("data.txt"), QByteArray("new\r\n"));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, 12345u);
        EXPECT_EQ(after.st_gid, 23456u);
    }
}

TEST(NumText, ConvertsLikeTheCLibrary) {
    EXPECT_EQ(WToI("  42abc"), 42);
    EXPECT_EQ(WToI("-7"), -7);
    EXPECT_EQ(WToI("+8"), 8);
    EXPECT_EQ(WToI("abc"), 0);
    EXPECT_EQ(WToI(""), 0);
    EXPECT_EQ(WToI(" 90 rpm"), 90);
    EXPECT_EQ(WToI("99999999999999"), INT_MAX);
}

TEST(NumText, NumericFieldWarnings) {
    RecordingPrompter prompter;
    WarnIfNotNumeric("12");
    WarnIfNotNumeric("");
    WarnIfNotNumeric("65535");
    EXPECT_TRUE(prompter.shown.empty());
    WarnIfNotNumeric("1a2b");  // one warning, however many bad characters
    EXPECT_EQ(prompter.Texts(), QStringList{"Entry digit number !"});
    prompter.Clear();
    WarnIfNotNumeric("65536");
    EXPECT_EQ(prompter.Texts(), QStringList{"Invalid Value !"});
    EXPECT_EQ(prompter.shown[0].caption, "vyn8_rk47");
    prompter.Clear();
    WarnIfNotNumeric("70000x");
    EXPECT_EQ(prompter.Texts(), (QStringList{"Entry digit number !", "Invalid Value !"}));
}
