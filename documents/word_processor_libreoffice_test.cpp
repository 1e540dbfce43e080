#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "word_processor.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// Runs the test with only a folder of its own on the search path.
class WordProcessorHandOff : public testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = qgetenv("PATH");
        qputenv("PATH", folder_.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("PATH", savedPath_); }

    // A stand-in for LibreOffice that records its arguments and the file it was given.
    void InstallFakeOffice(const QString& name) {
        QFile script(folder_.filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\nPATH=/usr/bin:/bin\nlog=\"$(dirname \"$0\")/log\"\n"
            "for argument; do printf '%s\\n' \"$argument\"; last=$argument; done "
            "> \"$log.part\"\n"
            "cat \"$last\" >> \"$log.part\"\nmv \"$log.part\" \"$log\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    QByteArray WaitForLog() const {
        QFile log(folder_.filePath("log"));
        for (QDeadlineTimer deadline(10000); !log.exists() && !deadline.hasExpired();)
            QThread::msleep(10);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    QTemporaryDir folder_;
    QByteArray savedPath_;
};

TEST_F(WordProcessorHandOff, WriterOpensTheTextAsANewUntitledDocument) {
    InstallFakeOffice("soffice");
    const auto document = NewWordProcessorDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->Fill(u"pīn yīn\r\n拼 音\r\n"_s));
    const QList<QByteArray> lines = WaitForLog().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "--infilter=Text (encoded):UTF8,LF,,,");
    EXPECT_EQ(lines[1], "-n");
    EXPECT_TRUE(lines[2].endsWith(".txt"));
    EXPECT_EQ(lines.mid(3).join('\n'), u"pīn yīn\n拼 音\n"_s.toUtf8());
    QFile::remove(QString::fromLocal8Bit(lines[2]));
}

TEST_F(WordProcessorHandOff, FindsWriterUnderItsOtherName) {
    InstallFakeOffice("libreoffice");
    EXPECT_NE(NewWordProcessorDocument(), nullptr);
}

TEST_F(WordProcessorHandOff, NoWordProcessorInstalled) {
    EXPECT_EQ(NewWordProcessorDocument(), nullptr);
}

}  // namespace
}  // namespace sorvani::documents
