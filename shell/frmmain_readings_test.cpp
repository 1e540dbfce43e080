// The annotate command's reading options: two check boxes below the commands, kept between runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>

#include "frmmain.h"
#include "frmmain_geometry.h"
#include "recording_prompts.h"
#include "twips.h"

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
        // As on a first start.
        QSettings(QStringLiteral("Sorvani"), QStringLiteral("Sorvani")).clear();
    }

    std::unique_ptr<frmmain> Window(const QString& wordTable) {
        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        auto window = std::make_unique<frmmain>(dictionary, std::move(recording));
        window->Readings = sorvani::ContextReadings(wordTable.toStdString());
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

TEST_F(ReadingOptions, AMissingWordTableIsReportedAndTheDocumentKept) {
    const auto window = Window(table + QStringLiteral(".missing"));
    ASSERT_TRUE(window->aczy->isChecked());
    EXPECT_EQ(Annotated(*window, QStringLiteral("银行")), QStringLiteral("银行"));
    ASSERT_FALSE(prompts->shown.isEmpty());
    EXPECT_TRUE(prompts->shown.last().contains(QStringLiteral("words.dat.missing")));
    EXPECT_TRUE(window->Immax->isEnabled());
}

}  // namespace
