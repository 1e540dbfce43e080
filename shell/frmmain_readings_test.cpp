// The annotate command's reading options: two check boxes below the commands, kept between runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "frmmain.h"
#include "frmmain_geometry.h"
#include "recording_prompts.h"
#include "settings_file.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

class ReadingOptions : public testing::Test {
  protected:
    ReadingOptions() {
        for (const auto& [character, toned, plain] :
             std::vector<std::array<std::u16string, 3>>{{u"银", u"yín", u"yin"},
                                                        {u"行", u"xíng", u"xing"},
                                                        {u"一", u"yī", u"yi"},
                                                        {u"定", u"dìng", u"ding"}})
            dictionary.Append({character, character, toned, plain});
        table = folder.filePath(QStringLiteral("words.dat"));
        std::ofstream(table.toStdString(), std::ios::binary)
            << sorvani::WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
        // An empty lexicon beside it: the table's words alone cut the text.
        std::ofstream(folder.filePath(sorvani::kLexiconFileName).toStdString(), std::ios::binary)
            << sorvani::Lexicon::Serialise({}, {}, 16 * sorvani::Lexicon::kCostScale);
        // As on a first start, and apart from the user's settings.
        MoveSettingsFile(folder.filePath(QStringLiteral("Sorvani.conf")));
    }
    ~ReadingOptions() override { MoveSettingsFile(QString()); }

    std::unique_ptr<frmmain> Window(const QString& wordTable) {
        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        auto window = std::make_unique<frmmain>(dictionary, std::move(recording));
        window->Annotation.ReadWordsFrom(wordTable.toStdString());
        return window;
    }

    QString Annotated(frmmain& window, const QString& text) {
        window.Wj->setPlainText(text);
        window.zy_Click();
        return window.Wj->toPlainText();
    }

    sorvani::PinyinDictionary dictionary;
    QTemporaryDir folder;
    QString table;
    RecordingPrompts* prompts = nullptr;
};

TEST_F(ReadingOptions, BelowTheCommandsByWordCheckedOnFirstStart) {
    using namespace frmmain_geometry;
    const auto window = Window(table);
    EXPECT_EQ(window->aczy->text(), QStringLiteral("按词注音"));
    EXPECT_EQ(window->ybbd->text(), QStringLiteral("一不变调"));
    EXPECT_EQ(window->aczy->parentWidget(), window->Frame1);
    EXPECT_EQ(GeometryInTwips(*window->aczy), kByWordOption);
    EXPECT_EQ(GeometryInTwips(*window->ybbd), kToneChangeOption);
    const TwipRect quit = GeometryInTwips(*window->quit);
    EXPECT_GE(kByWordOption.top, quit.top + quit.height);
    EXPECT_LE(kToneChangeOption.top + kToneChangeOption.height, kFrame1.height);
    EXPECT_TRUE(window->aczy->isChecked());
    EXPECT_FALSE(window->ybbd->isChecked());
}

TEST_F(ReadingOptions, RememberedForTheNextStart) {
    {
        const auto window = Window(table);
        window->aczy->setChecked(false);
        window->ybbd->setChecked(true);
    }
    const auto window = Window(table);
    EXPECT_FALSE(window->aczy->isChecked());
    EXPECT_TRUE(window->ybbd->isChecked());
}

TEST_F(ReadingOptions, TheCommandReadsThem) {
    const auto window = Window(table);
    window->aczy->setChecked(true);
    EXPECT_EQ(Annotated(*window, QStringLiteral("银行一定")),
              QStringLiteral("Yín Háng Yī Dìng \n银  行   一 定   \n"));
    window->ybbd->setChecked(true);
    EXPECT_EQ(Annotated(*window, QStringLiteral("银行一定")),
              QStringLiteral("Yín Háng Yí Dìng \n银  行   一 定   \n"));
    window->aczy->setChecked(false);
    window->ybbd->setChecked(false);
    EXPECT_EQ(Annotated(*window, QStringLiteral("银行一定")),
              QStringLiteral("Yín Xíng Yī Dìng \n银  行   一 定   \n"));
    // The question and the message stay as they are.
    EXPECT_EQ(prompts->shown.count(QStringLiteral("注音成功！")), 3);
    EXPECT_EQ(prompts->shown.count(QStringLiteral("您要标上音调吗？（Y/N）")), 3);
}

TEST_F(ReadingOptions, WithoutAUsableWordTableCharactersAreReadAloneAndTheUserToldOnce) {
    // The table a word's end of 0xFFFFFFFF once crashed the window with, sealed as new.
    std::string farEnd = sorvani::WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    std::fill_n(farEnd.begin() + sorvani::kWordTableHeaderBytes + 11 + 4, 4, '\xFF');
    sorvani::WordTable::Seal(farEnd);
    std::string flipped = sorvani::WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    flipped[sorvani::kWordTableHeaderBytes] ^= 1;  // háng would become iáng
    const std::string good = sorvani::WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    const struct {
        std::string bytes;
        QString why;
    } tables[] = {{"", QStringLiteral("已损坏")},
                  {good.substr(0, good.size() / 2), QStringLiteral("已损坏")},
                  {farEnd, QStringLiteral("已损坏")},
                  {flipped, QStringLiteral("已损坏")}};
    const auto check = [&](const QString& file, const QString& why) {
        const auto window = Window(file);
        ASSERT_TRUE(window->aczy->isChecked());
        for (int run = 0; run < 2; ++run) {
            EXPECT_EQ(Annotated(*window, QStringLiteral("银行")),
                      QStringLiteral("Yín Xíng \n银  行   \n"));
        }
        EXPECT_EQ(prompts->shown.count(QStringLiteral("注音成功！")), 2);
        const auto told = prompts->shown.filter(QStringLiteral("按词注音不可用"));
        ASSERT_EQ(told.size(), 1) << prompts->shown.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(told[0].contains(QDir::toNativeSeparators(file))) << told[0].toStdString();
        EXPECT_TRUE(told[0].contains(why)) << told[0].toStdString();
    };
    for (const auto& table : tables) {
        std::ofstream(this->table.toStdString(), std::ios::binary | std::ios::trunc) << table.bytes;
        check(this->table, table.why);
    }
    check(this->table + QStringLiteral(".missing"), QStringLiteral("找不到"));
    check(folder.path(), QStringLiteral("不是普通文件"));
}

TEST_F(ReadingOptions, ASettingsFileThatCannotBeReadIsToldOfOnceTheWindowShows) {
    QDir().mkpath(SettingsFilePath());  // a folder where the file should be
    {
        const auto window = Window(table);
        EXPECT_TRUE(window->aczy->isChecked());
        EXPECT_FALSE(window->ybbd->isChecked());
        EXPECT_TRUE(prompts->shown.isEmpty());
        QCoreApplication::processEvents();
        ASSERT_EQ(prompts->shown.size(), 1);
        EXPECT_TRUE(prompts->shown[0].contains(QStringLiteral("设置文件")));
        // The choice made now is kept in a new file.
        window->ybbd->setChecked(true);
    }
    const auto window = Window(table);
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts->shown.isEmpty());
    EXPECT_TRUE(window->ybbd->isChecked());
}

}  // namespace

}  // namespace sorvani::shell
