// The user's own readings in the window: a word corrected where the box shows it is kept in the
// user's word list and read in every later annotation, by word or not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <fstream>

#include "document_edit.h"
#include "frmmain.h"
#include "recording_prompts.h"
#include "settings_file.h"
#include "user_word_list.h"

namespace sorvani::shell {

namespace {

const QString kNoWord =
    QStringLiteral("请先在文档中选中要自定义读音的词（2到32个汉字），再选“自定义读音”。");

class UserWords : public testing::Test {
  protected:
    UserWords() {
        for (const auto& [character, toned, plain] :
             std::vector<std::array<std::u16string, 3>>{{u"单", u"dān", u"dan"},
                                                        {u"老", u"lǎo", u"lao"},
                                                        {u"师", u"shī", u"shi"},
                                                        {u"银", u"yín", u"yin"},
                                                        {u"行", u"xíng", u"xing"}})
            dictionary.Append({character, character, toned, plain});
        const QString table = folder.filePath(QStringLiteral("words.dat"));
        std::ofstream(table.toStdString(), std::ios::binary)
            << sorvani::WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
        std::ofstream(folder.filePath(sorvani::kLexiconFileName).toStdString(), std::ios::binary)
            << sorvani::Lexicon::Serialise({}, {}, 16 * sorvani::Lexicon::kCostScale);
        MoveSettingsFile(folder.filePath(QStringLiteral("settings/Sorvani.conf")));
        list = UserWordListPath();

        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        window = std::make_unique<frmmain>(dictionary, std::move(recording));
        window->Annotation.ReadWordsFrom(table.toStdString());
        window->OpenExternally = [this](const QUrl& url) {
            opened << url;
            return canOpen;
        };
        window->aczy->setChecked(false);
        window->ybbd->setChecked(false);
    }
    ~UserWords() override { MoveSettingsFile(QString()); }

    QString Annotated(const QString& text) {
        window->Wj->setPlainText(text);
        window->zy_Click();
        return window->Wj->toPlainText();
    }

    // Selects the box's text from `from` to the end of `to`.
    void Select(const QString& from, const QString& to) {
        const QString text = window->Wj->toPlainText();
        QTextCursor cursor(window->Wj->document());
        cursor.setPosition(static_cast<int>(text.indexOf(from)));
        cursor.setPosition(static_cast<int>(text.indexOf(to) + to.size()), QTextCursor::KeepAnchor);
        window->Wj->setTextCursor(cursor);
    }

    // Chooses the entry of the box's context menu.
    void Choose(const QString& entry) {
        auto& box = static_cast<DocumentEdit&>(*window->Wj);
        const auto menu = box.ContextMenu(QPoint(1, 1));
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) return action->trigger();
        }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    }

    // Selects from `from` to `to` and gives it the syllables typed.
    void Correct(const QString& from, const QString& to, const QString& typed) {
        Select(from, to);
        prompts->typedText = typed;
        prompts->shown.clear();
        Choose(QStringLiteral("自定义读音"));
    }

    QByteArray ListBytes() const {
        QFile file(list);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    void WriteList(const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(list).absolutePath());
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    sorvani::PinyinDictionary dictionary;
    QTemporaryDir folder;
    QString list;
    RecordingPrompts* prompts = nullptr;
    std::unique_ptr<frmmain> window;
    QList<QUrl> opened;
    bool canOpen = true;
};

TEST_F(UserWords, ACorrectionInTheAnnotatedTextIsKeptAndReadInEveryLaterAnnotation) {
    EXPECT_EQ(Annotated(QStringLiteral("单老师")), QStringLiteral("Dān Lǎo Shī \n单  老  师  \n"));
    // From the pinyin line to the last character: the characters of the selection count.
    Correct(QStringLiteral("Lǎo"), QStringLiteral("师"), QStringLiteral(" Shan4  lao3 shi1 "));
    ASSERT_GE(prompts->shown.size(), 3);
    EXPECT_TRUE(prompts->shown[0].startsWith(QStringLiteral("“单老师”的读音")));
    EXPECT_EQ(prompts->shown[1], QStringLiteral("dān lǎo shī"));  // what the box shows now
    EXPECT_EQ(prompts->shown[2],
              QStringLiteral("“单老师”的读音“shàn lǎo shī”已保存，以后注音都用这个读音。"));
    EXPECT_TRUE(ListBytes().startsWith("# "));
    EXPECT_TRUE(ListBytes().endsWith("\n单老师\tshàn lǎo shī\n"));

    // Without readings by word and with them.
    EXPECT_EQ(Annotated(QStringLiteral("单老师好")).section(u'\n', 0, 0),
              QStringLiteral("Shàn Lǎo Shī 好 "));
    window->aczy->setChecked(true);
    EXPECT_EQ(Annotated(QStringLiteral("单老师银行")).section(u'\n', 0, 0),
              QStringLiteral("Shàn Lǎo Shī Yín Háng "));

    // Another word is added; the first one, corrected again, keeps one line.
    Correct(QStringLiteral("银"), QStringLiteral("行"), QStringLiteral("yin2 xing2"));
    Correct(QStringLiteral("单"), QStringLiteral("老"), QStringLiteral("dan1 lao3"));
    Correct(QStringLiteral("单"), QStringLiteral("师"), QStringLiteral("shàn lǎo shi"));
    EXPECT_EQ(prompts->shown[1], QStringLiteral("shàn lǎo shī"));  // the list's, as it stood
    const UserWordList read = ReadUserWordList(list);
    EXPECT_TRUE(read.badLines.empty());
    ASSERT_EQ(read.words.size(), 3u);
    EXPECT_EQ(ListBytes().count("\n单老师\t"), 1);  // the header's example aside
    EXPECT_EQ(Annotated(QStringLiteral("单老师银行")).section(u'\n', 0, 0),
              QStringLiteral("Shàn Lǎo Shi Yín Xíng "));
    EXPECT_TRUE(prompts->shown.filter(QStringLiteral("自定义读音文件")).isEmpty());
}

TEST_F(UserWords, BadSyllablesOrNoWordSelectedAreToldAndNothingIsWritten) {
    WriteList("# ours\n单老师\tshan4 lao3 shi1\n");
    window->Wj->setPlainText(QStringLiteral("单老师 abc 银"));
    Correct(QStringLiteral("单"), QStringLiteral("师"), QStringLiteral("shan4 lao3"));
    EXPECT_EQ(prompts->shown.last(),
              QStringLiteral("“单老师”有3个字，读音“shan4 lao3”却有2个音节：每个字要有一个音节。"
                             "读音没有保存。"));
    Correct(QStringLiteral("单"), QStringLiteral("师"), QStringLiteral("shan4 lao3 sh!"));
    EXPECT_TRUE(prompts->shown.last().startsWith(QStringLiteral("“shan4 lao3 sh!”不是正确的拼音")));
    Correct(QStringLiteral("单"), QStringLiteral("师"), QStringLiteral(""));
    EXPECT_TRUE(prompts->shown.last().contains(QStringLiteral("却有0个音节")));
    // Cancelled: no message.
    prompts->typedText.reset();
    Select(QStringLiteral("单"), QStringLiteral("师"));
    prompts->shown.clear();
    Choose(QStringLiteral("自定义读音"));
    EXPECT_EQ(prompts->shown.size(), 2);  // the question and its proposal
    // One character, or none.
    Correct(QStringLiteral("银"), QStringLiteral("银"), QStringLiteral("yin2"));
    EXPECT_EQ(prompts->shown, QStringList{kNoWord});
    Correct(QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("yin2"));
    EXPECT_EQ(prompts->shown, QStringList{kNoWord});
    EXPECT_EQ(ListBytes(), "# ours\n单老师\tshan4 lao3 shi1\n");
}

TEST_F(UserWords, AListThatCannotBeReadIsNeverReplaced) {
    // A folder where the list should be: neither read nor written over.
    ASSERT_TRUE(QDir().mkpath(list));
    window->Wj->setPlainText(QStringLiteral("单老师"));
    Correct(QStringLiteral("单"), QStringLiteral("师"), QStringLiteral("shan4 lao3 shi1"));
    EXPECT_TRUE(prompts->shown.last().contains(QStringLiteral("不是普通文件")))
        << prompts->shown.last().toStdString();
    EXPECT_TRUE(prompts->shown.last().endsWith(QStringLiteral("读音没有保存。")));
    EXPECT_TRUE(QFileInfo(list).isDir());
}

TEST_F(UserWords, BadLinesOfTheListAreToldOnceByNumberAndSkipped) {
    WriteList("单老师\tshan4 lao3 shi1\n仇\tqiu2\n银行\tyin2\n");
    const QString told =
        QStringLiteral("自定义读音文件“%1”的第2、3行写得不对").arg(QDir::toNativeSeparators(list));
    EXPECT_EQ(Annotated(QStringLiteral("单老师银行")).section(u'\n', 0, 0),
              QStringLiteral("Shàn Lǎo Shī Yín Xíng "));
    EXPECT_EQ(Annotated(QStringLiteral("单老师")).section(u'\n', 0, 0),
              QStringLiteral("Shàn Lǎo Shī "));
    EXPECT_EQ(prompts->shown.filter(told).size(), 1);
    // Broken anew, it is told anew.
    WriteList("单老师\tshan4 lao3\n");
    Annotated(QStringLiteral("单老师"));
    EXPECT_EQ(prompts->shown.filter(QStringLiteral("的第1行写得不对")).size(), 1);
    // A list that is no file: told, and the annotation goes on without it.
    QFile::remove(list);
    ASSERT_TRUE(QDir().mkpath(list));
    EXPECT_EQ(Annotated(QStringLiteral("单老师")).section(u'\n', 0, 0),
              QStringLiteral("Dān Lǎo Shī "));
    EXPECT_EQ(prompts->shown.filter(QStringLiteral("注音时不用自定义读音")).size(), 1);
}

TEST_F(UserWords, TheListOpensForEditingMadeWithAHeaderWhenThereIsNone) {
    Choose(QStringLiteral("编辑自定义读音列表"));
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(list)});
    const UserWordList made = ReadUserWordList(list);
    EXPECT_TRUE(made.words.empty());
    EXPECT_TRUE(made.badLines.empty());
    EXPECT_FALSE(made.failure);
    EXPECT_TRUE(ListBytes().startsWith("# "));
    EXPECT_TRUE(prompts->shown.isEmpty());
    // An existing list is opened as it is; one that no program opens is named.
    WriteList("单老师\tshan4 lao3 shi1\n");
    canOpen = false;
    Choose(QStringLiteral("编辑自定义读音列表"));
    EXPECT_EQ(ListBytes(), "单老师\tshan4 lao3 shi1\n");
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_TRUE(prompts->shown[0].contains(QDir::toNativeSeparators(list)));
}

}  // namespace

}  // namespace sorvani::shell
