#include <gtest/gtest.h>

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

TEST(Text8, WriteIntoReadOnlyFolderFailsAndKeepsOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "skipped: root ignores folder permissions";
    }
    TempWorkDir dir;
    dir.Write("keep.txt", "kept");
    QFile::setPermissions(dir.Path(""), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(text8::WriteFileAtomic(dir.Path("keep.txt"), "lost"));
    QFile::setPermissions(dir.Path(""),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(dir.Read("keep.txt"), QByteArray("kept"));
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
