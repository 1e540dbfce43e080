#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fake_word_processor.h"
#include "word_processor.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

TEST(WordProcessorHandOff, WriterOpensTheTextAsANewUntitledDocument) {
    FakeWordProcessor office;
    office.Install(u"soffice"_s);
    const auto document = NewWordProcessorDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->Fill(u"pīn yīn\r\n拼 音\r\n"_s));
    const QList<QByteArray> lines = office.WaitForRecord().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "--infilter=Text (encoded):UTF8,LF,,,");
    EXPECT_EQ(lines[1], "-n");
    EXPECT_TRUE(lines[2].endsWith(".txt"));
    EXPECT_EQ(lines.mid(3).join('\n'), u"pīn yīn\n拼 音\n"_s.toUtf8());
}

TEST(WordProcessorHandOff, FindsWriterUnderItsOtherName) {
    FakeWordProcessor office;
    office.Install(u"libreoffice"_s);
    EXPECT_NE(NewWordProcessorDocument(), nullptr);
    office.WaitForRecord();
}

TEST(WordProcessorHandOff, NoWordProcessorInstalled) {
    FakeWordProcessor nothingInstalled;
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);
}

// Such an office would run on invisibly, and the user would wait for a window that never comes.
TEST(WordProcessorHandOff, AnOfficeThatCannotShowAWindowCountsAsNone) {
    FakeWordProcessor office;
    office.Install(u"soffice"_s, false);
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);

    office.Install(u"soffice"_s);
    qunsetenv("DISPLAY");
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_NE(NewWordProcessorDocument(), nullptr);
}

// The search path names a link, as /usr/bin/soffice is; the plugins lie beside the program.
TEST(WordProcessorHandOff, FindsThePluginsBesideTheProgramALinkPointsTo) {
    FakeWordProcessor office;
    const QDir folder(office.Folder());
    ASSERT_TRUE(folder.mkdir(u"program"_s));
    QFile program(folder.filePath(u"program/soffice"_s));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.setPermissions(program.permissions() | QFile::ExeOwner);
    ASSERT_TRUE(program.link(folder.filePath(u"soffice"_s)));
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);
    ASSERT_TRUE(
        QFile(folder.filePath(u"program/libvclplug_genlo.so"_s)).open(QIODevice::WriteOnly));
    EXPECT_NE(NewWordProcessorDocument(), nullptr);
}

TEST(WordProcessorHandOff, AHandOffThatCannotStartLeavesNoFileBehind) {
    QTemporaryDir temporary;
    const QByteArray savedTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.path().toLocal8Bit());
    FakeWordProcessor office;
    office.Install();
    const auto document = NewWordProcessorDocument();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(QFile::remove(QDir(office.Folder()).filePath(u"soffice"_s)));
    EXPECT_FALSE(document->Fill(u"拼音"_s));
    savedTemporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTemporary);
    EXPECT_EQ(QDir(temporary.path()).entryList(QDir::Files), QStringList());
}

}  // namespace
}  // namespace sorvani::documents
