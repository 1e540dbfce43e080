#include "user_word_list.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace sorvani::shell {

namespace {

class UserWordListFile : public testing::Test {
  protected:
    QByteArray Put(const QByteArray& old, const QString& word, const QString& syllables) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
        file.close();
        EXPECT_EQ(PutUserWord(path, word, syllables), std::nullopt);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("list/user-words.txt"));
};

TEST_F(UserWordListFile, AWordTakesThePlaceOfItsLinesAndEveryOtherLineStays) {
    EXPECT_EQ(Put("# ours\n单老师\tdan1 lao3 shi1\n仇\tbad\n单老师 \tx\n曾国藩\tzeng1 guo2 fan1",
                  QStringLiteral("单老师"), QStringLiteral("shàn lǎo shī")),
              "# ours\n单老师\tshàn lǎo shī\n仇\tbad\n曾国藩\tzeng1 guo2 fan1");
    // Added at the end, after a last line without its break; CR LF kept where the list has it.
    EXPECT_EQ(Put("# ours\r\n曾国藩\tzeng1 guo2 fan1", QStringLiteral("单老师"),
                  QStringLiteral("shàn lǎo shī")),
              "# ours\r\n曾国藩\tzeng1 guo2 fan1\n单老师\tshàn lǎo shī\r\n");
    EXPECT_EQ(Put("", QStringLiteral("单老师"), QStringLiteral("shàn lǎo shī")),
              "单老师\tshàn lǎo shī\n");
    // A commented line of the word is no line of it.
    EXPECT_EQ(
        Put("# 单老师\tdan1 lao3 shi1\n", QStringLiteral("单老师"), QStringLiteral("shàn lǎo shī")),
        "# 单老师\tdan1 lao3 shi1\n单老师\tshàn lǎo shī\n");
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("user-words.txt")});
}

TEST_F(UserWordListFile, ANewListStartsWithItsHeaderInItsOwnFolder) {
    EXPECT_EQ(PutUserWord(path, QStringLiteral("单老师"), QStringLiteral("shàn lǎo shī")),
              std::nullopt);
    const UserWordList list = ReadUserWordList(path);
    EXPECT_TRUE(list.badLines.empty());
    ASSERT_EQ(list.words.size(), 1u);
    EXPECT_EQ(list.words[0].syllables[0], u"shàn");
    // No list at all is an empty one.
    QFile::remove(path);
    const UserWordList none = ReadUserWordList(path);
    EXPECT_TRUE(none.words.empty());
    EXPECT_FALSE(none.failure);
}

}  // namespace

}  // namespace sorvani::shell
