#include "reading_chooser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "annotation_run.h"
#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "pinyin_syllable.h"
#include "text_output_box.h"
#include "utf8.h"

namespace sorvani {
namespace {

class ReadingChooserTest : public testing::Test {
  protected:
    ReadingChooserTest() {
        for (const auto& [character, toned, plain] : std::vector<std::array<std::u16string, 3>>{
                 {u"银", u"yín", u"yin"},   {u"行", u"xíng", u"xing"}, {u"中", u"zhōng", u"zhong"},
                 {u"国", u"guó", u"guo"},   {u"人", u"rén", u"ren"},   {u"长", u"cháng", u"chang"},
                 {u"大", u"dà", u"da"},     {u"一", u"yī", u"yi"},     {u"不", u"bù", u"bu"},
                 {u"天", u"tiān", u"tian"}, {u"年", u"nián", u"nian"}, {u"起", u"qǐ", u"qi"},
                 {u"定", u"dìng", u"ding"}, {u"是", u"shì", u"shi"},   {u"吃", u"chī", u"chi"},
                 {u"来", u"lái", u"lai"},   {u"好", u"hǎo", u"hao"},   {u"第", u"dì", u"di"},
                 {u"十", u"shí", u"shi"},   {u"统", u"tǒng", u"tong"}, {u"的", u"de", u"de"},
                 {u"个", u"gè", u"ge"},     {u"这", u"zhè", u"zhe"},   {u"了", u"le", u"le"}}) {
            dictionary_.Append({character, character, toned, plain});
        }
        dictionary_.Append({u"銀", u"銀", u"yín", u"yin"});
        dictionary_.Append({u"長", u"長", u"cháng", u"chang"});
        words_ = WordTable::Parse(
            WordTable::Serialise({{u"中国银行", {u"zhōng", u"guó", u"yín", u"háng"}},
                                  {u"行长", {u"háng", u"zhǎng"}},
                                  {u"这一", {u"zhè", u"yí"}},  // a word that ends in 一
                                  {u"这个", {u"zhè", u"ge"}},
                                  {u"银行", {u"yín", u"háng"}},
                                  {u"长大", {u"zhǎng", u"dà"}}}),
            "test");
    }

    // Each unit's syllable with tone marks as the program shows it, "·" for a character that
    // keeps the dictionary's reading.
    std::u16string Chosen(std::u16string_view text, bool words = true, bool toneChange = false) {
        const ReadingChooser chooser(words ? &words_ : nullptr, dictionary_, toneChange);
        std::u16string shown;
        for (const SyllableId id : chooser.DecideAll(text)) {
            if (!shown.empty()) shown += u' ';
            shown += id ? chooser.Shown(id, kWithTones) : u"·";
        }
        return shown;
    }

    PinyinDictionary dictionary_;
    WordTable words_;
};

TEST_F(ReadingChooserTest, WordsTakeTheirSyllablesWhereverTheyStand) {
    EXPECT_EQ(Chosen(u"银行"), u"Yín Háng");      // the whole text
    EXPECT_EQ(Chosen(u"人银行"), u"· Yín Háng");  // at the end
    EXPECT_EQ(Chosen(u"银行人"), u"Yín Háng ·");  // at the start
    EXPECT_EQ(Chosen(u"行人"), u"· ·");           // 行 alone keeps the dictionary's
    EXPECT_EQ(Chosen(u"银\r\n行"), u"· · · ·");   // a line break ends a word
    EXPECT_EQ(Chosen(u"銀行"), u"· ·");           // traditional: not in the table
    EXPECT_EQ(Chosen(u"银行", false), u"· ·");    // words off
}

TEST_F(ReadingChooserTest, OverlappingWordsGoToTheLongestMatchFromTheLeft) {
    EXPECT_EQ(Chosen(u"中国银行"), u"Zhōng Guó Yín Háng");
    EXPECT_EQ(Chosen(u"银行长大"), u"Yín Háng Zhǎng Dà");  // 行长 loses to 银行, then 长大
    EXPECT_EQ(Chosen(u"人行长"), u"· Háng Zhǎng");
    EXPECT_EQ(Chosen(u"这个"), u"Zhè Ge");  // a neutral tone
}

TEST_F(ReadingChooserTest, ToneChangeOfYiFollowsTheNextSyllable) {
    EXPECT_EQ(Chosen(u"一天", true, true), u"Yì ·");     // before tone 1
    EXPECT_EQ(Chosen(u"一年", true, true), u"Yì ·");     // 2
    EXPECT_EQ(Chosen(u"一起", true, true), u"Yì ·");     // 3
    EXPECT_EQ(Chosen(u"一定", true, true), u"Yí ·");     // 4
    EXPECT_EQ(Chosen(u"一定", true, false), u"· ·");     // off
    EXPECT_EQ(Chosen(u"统一。", true, true), u"· · ·");  // before punctuation
    EXPECT_EQ(Chosen(u"一", true, true), u"·");          // at the end of the text
    EXPECT_EQ(Chosen(u"第一天", true, true), u"· · ·");  // ordinal
    EXPECT_EQ(Chosen(u"十一年", true, true), u"· · ·");  // number
    EXPECT_EQ(Chosen(u"一十", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"统一天", true, true), u"· · ·");  // ends the word 统一
    EXPECT_EQ(Chosen(u"一的", true, true), u"· ·");      // before a neutral tone
}

TEST_F(ReadingChooserTest, ToneChangeOfBuOnlyBeforeTheFourthTone) {
    EXPECT_EQ(Chosen(u"不是", true, true), u"Bú ·");
    EXPECT_EQ(Chosen(u"不吃", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不来", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不好", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"好不", true, true), u"· ·");  // at the end
    EXPECT_EQ(Chosen(u"不。", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不一定", true, true), u"· Yí ·");  // 一 still reads yī for 不
    EXPECT_EQ(Chosen(u"一不是", true, true), u"Yí Bú ·");
    EXPECT_EQ(Chosen(u"不行长", true, false), u"· Háng Zhǎng");
    EXPECT_EQ(Chosen(u"不行长", true, true), u"· Háng Zhǎng");  // 不 before háng (2)
    EXPECT_EQ(Chosen(u"不长大", true, true), u"· Zhǎng Dà");    // zhǎng: the third tone
}

TEST_F(ReadingChooserTest, ShownWithoutToneMarks) {
    const ReadingChooser chooser(&words_, dictionary_, true);
    const auto ids = chooser.DecideAll(u"长大");
    EXPECT_EQ(chooser.Shown(ids[0], kWithoutTones), u"Zhang");
    EXPECT_EQ(chooser.Shown(ids[0], kWithTones), u"Zhǎng");
}

TEST_F(ReadingChooserTest, AStreamDecidedWindowByWindowChoosesAsTheWholeText) {
    const std::u16string pieces[] = {u"中国银行", u"银行", u"长大", u"一",   u"不", u"是", u"定",
                                     u"人",       u"行",   u"长",   u"这个", u"，", u"十", u"这一"};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        // Up to 600 units: runs longer than a piece, cut where the window ends.
        for (int i = 0; i < 30 + round % 4 * 90; ++i) text += pieces[random() % std::size(pieces)];
        // Every fifth round the user's words alone, without the word table.
        const bool userWordsOnly = round % 5 == 4;
        const ReadingChooser chooser(userWordsOnly ? nullptr : &words_, dictionary_, round % 2 == 0,
                                     nullptr, userWordsOnly ? &words_ : nullptr);
        const auto whole = chooser.DecideAll(text);

        // Windows of random size; each keeps one decided unit before it as context.
        std::vector<SyllableId> streamed, chosen;
        size_t decided = 0;
        while (decided < text.size()) {
            const size_t context = decided > 0 ? 1 : 0;
            const size_t from = decided - context;
            const size_t size = context + chooser.Lookahead() + random() % (round % 3 ? 6 : 200);
            const bool atEnd = from + size >= text.size();
            const auto window = std::u16string_view(text).substr(from, size);
            const size_t end = chooser.Decide(window, context, atEnd, chosen);
            ASSERT_GE(end, context);
            if (!atEnd) {
                ASSERT_LE(window.size() - end, chooser.Lookahead());
            }
            ASSERT_TRUE(atEnd || end > context) << "no progress with a window past the lookahead";
            streamed.insert(streamed.end(), chosen.begin(), chosen.end());
            decided = from + end;
        }
        ASSERT_EQ(streamed, whole) << "round " << round;
    }
}

TEST_F(ReadingChooserTest, TheUsersWordsWithoutTheWordTableChangeOnlyTheirOwnCharacters) {
    const WordTable user =
        WordTable::Parse(WordTable::Serialise({{u"行长", {u"háng", u"zhǎng"}}}), "user");
    const ReadingChooser chooser(nullptr, dictionary_, true, nullptr, &user);
    const auto shown = [&](std::u16string_view text) {
        std::u16string shown;
        for (const SyllableId id : chooser.DecideAll(text))
            shown += id ? chooser.Shown(id, kWithTones) + u" " : u"· ";
        return shown;
    };
    // 银行 and 长大 of the word table keep the characters' readings; 一 still changes its tone.
    EXPECT_EQ(shown(u"银行长大"), u"· Háng Zhǎng · ");
    EXPECT_EQ(shown(u"一定行长，银行"), u"Yí · Háng Zhǎng · · · ");
}

// Cutting by a lexicon of likely words, with parts of speech.
class LexiconChooserTest : public ReadingChooserTest {
  protected:
    LexiconChooserTest() {
        const std::u16string_view characters =
            u"证明这只猫安全地走种跑得快我受称之为变因千百万唯取胜件两着还行重干儿点摸借擦很写下字"
            u"人三九天达找要看五树";
        const std::u16string_view readings[] = {
            u"zhèng", u"míng", u"zhè",  u"zhǐ",  u"māo",   u"ān",   u"quán",  u"dì",    u"zǒu",
            u"zhǒng", u"pǎo",  u"dé",   u"kuài", u"wǒ",    u"shòu", u"chēng", u"zhī",   u"wèi",
            u"biàn",  u"yīn",  u"qiān", u"bǎi",  u"wàn",   u"wéi",  u"qǔ",    u"shèng", u"jiàn",
            u"liǎng", u"zhe",  u"hái",  u"xíng", u"zhòng", u"gàn",  u"ér",    u"diǎn",  u"mō",
            u"jiè",   u"cā",   u"hěn",  u"xiě",  u"xià",   u"zì",   u"rén",   u"sān",   u"jiǔ",
            u"tiān",  u"dá",   u"zhǎo", u"yào",  u"kàn",   u"wǔ",   u"shù"};
        static_assert(std::size(readings) == 52);
        for (size_t i = 0; i < characters.size(); ++i) {
            const std::u16string character(1, characters[i]);
            dictionary_.Append(
                {character, character, std::u16string(readings[i]), WithoutToneMarks(readings[i])});
        }
        table_ = WordTable::Parse(WordTable::Serialise({{u"一点儿", {u"yī", u"diǎn", u"er"}},
                                                        {u"明了", {u"míng", u"liǎo"}},
                                                        {u"这个", {u"zhè", u"ge"}},
                                                        {u"这只", {u"zhè", u"zhī"}},
                                                        {u"长大", {u"zhǎng", u"dà"}}}),
                                  "test");
        const std::vector<std::string> tags = {"a", "c", "d", "j", "m", "n", "r", "ul", "v"};
        const auto tag = [&](std::string_view name) {
            return static_cast<uint8_t>(std::find(tags.begin(), tags.end(), name) - tags.begin());
        };
        std::vector<Lexicon::Word> words;
        for (const auto& [text, frequency, name] :
             std::vector<std::tuple<std::u16string, double, std::string_view>>{
                 {u"证明", 6000, "v"}, {u"明了", 500, "a"},    {u"了", 800000, "ul"},
                 {u"这", 300000, "r"}, {u"只是", 5000, "c"},   {u"只", 100000, "d"},
                 {u"是", 800000, "v"}, {u"猫", 3000, "n"},     {u"安全", 10000, "a"},
                 {u"地", 160000, "a"}, {u"走", 30000, "v"},    {u"种", 20000, "v"},
                 {u"跑", 5000, "v"},   {u"得", 130000, "v"},   {u"快", 20000, "a"},
                 {u"我", 300000, "r"}, {u"受", 10000, "v"},    {u"不", 360000, "d"},
                 {u"称", 5000, "v"},   {u"之", 100000, "n"},   {u"为", 300000, "v"},
                 {u"变为", 1600, "v"}, {u"因为", 50000, "c"},  {u"一", 200000, "m"},
                 {u"两", 30000, "m"},  {u"取胜", 500, "v"},    {u"个", 200000, "n"},
                 {u"长", 40000, "a"},  {u"着", 180000, "ul"},  {u"还", 150000, "d"},
                 {u"行", 20000, "v"},  {u"重", 15000, "a"},    {u"干", 20000, "v"},
                 {u"儿", 15000, "n"},  {u"一点儿", 1000, "m"}, {u"摸", 3000, "v"},
                 {u"借", 3000, "v"},   {u"擦", 2000, "v"},     {u"很", 200000, "d"},
                 {u"写", 20000, "v"},  {u"下", 100000, "v"},   {u"字", 20000, "n"},
                 {u"人", 300000, "n"}, {u"三", 50000, "m"},    {u"九", 10000, "m"},
                 {u"天", 50000, "n"},  {u"达", 5000, "v"},     {u"找", 20000, "v"},
                 {u"要", 200000, "v"}, {u"看", 100000, "v"},   {u"一行", 1600, "m"},
                 {u"五行", 900, "j"},  {u"树", 10000, "v"}}) {
            words.push_back({text, Lexicon::CostOf(frequency, kUnknown), tag(name)});
        }
        std::sort(words.begin(), words.end(),
                  [](const auto& a, const auto& b) { return a.text < b.text; });
        lexicon_ = Lexicon::Parse(Lexicon::Serialise(words, tags, kUnknown), "test");
    }

    std::u16string Read(std::u16string_view text, bool toneChange = false) {
        const ReadingChooser chooser(&table_, dictionary_, toneChange, &lexicon_);
        std::u16string shown;
        for (const SyllableId id : chooser.DecideAll(text)) {
            if (!shown.empty()) shown += u' ';
            shown += id ? chooser.Shown(id, kWithTones) : u"·";
        }
        return shown;
    }

    static constexpr uint32_t kUnknown = 17 * Lexicon::kCostScale;
    WordTable table_;
    Lexicon lexicon_;
};

TEST_F(LexiconChooserTest, WordsOfTheTableApplyOnlyInsideTheLikeliestWords) {
    EXPECT_EQ(Read(u"明了"), u"Míng Liǎo");
    EXPECT_EQ(Read(u"证明了"), u"· · ·");  // 证明|了, not 证|明了
    EXPECT_EQ(Read(u"这只是"), u"· · ·");  // 这|只是
    // Cut by the word table alone, the same text takes the word that straddles the border.
    const ReadingChooser tableOnly(&table_, dictionary_, false);
    EXPECT_NE(tableOnly.DecideAll(u"证明了")[2], 0);
}

TEST_F(LexiconChooserTest, ParticlesFollowThePartsOfSpeechAroundThem) {
    EXPECT_EQ(Read(u"安全地走"), u"· · De ·");        // after an adjective, before a verb
    EXPECT_EQ(Read(u"种地"), u"· ·");                 // the object of a verb
    EXPECT_EQ(Read(u"跑得快"), u"· De ·");            // a complement
    EXPECT_EQ(Read(u"我得走"), u"· Děi ·");           // must
    EXPECT_EQ(Read(u"得走"), u"Děi ·");               // at the start of a run
    EXPECT_EQ(Read(u"证明受不了"), u"· · · · Liǎo");  // at the end of a longer run
    EXPECT_EQ(Read(u"受不了"), u"· · Liǎo");          // able to
    EXPECT_EQ(Read(u"称之为"), u"· · Wéi");
    EXPECT_EQ(Read(u"变为"), u"· Wéi");      // a verb that ends in 为
    EXPECT_EQ(Read(u"因为"), u"· ·");        // a conjunction keeps wèi
    EXPECT_EQ(Read(u"两只猫"), u"· Zhī ·");  // the measure word
    EXPECT_EQ(Read(u"这只猫"), u"· Zhī ·");
    EXPECT_EQ(Read(u"我只走"), u"· · ·");       // only
    EXPECT_EQ(Read(u"两只走"), u"· Zhī ·");     // after a numeral, before any word
    EXPECT_EQ(Read(u"长得快"), u"Zhǎng De ·");  // how one has grown
}

TEST_F(LexiconChooserTest, ReadingsOfVerbsAndMeasuresFollowTheWordsAroundThem) {
    EXPECT_EQ(Read(u"摸不着"), u"· · Zháo");      // to reach
    EXPECT_EQ(Read(u"找着了"), u"· Zháo ·");      // found
    EXPECT_EQ(Read(u"看着"), u"· ·");             // the particle
    EXPECT_EQ(Read(u"借了不还"), u"· · · Huán");  // the verb ends the clause
    EXPECT_EQ(Read(u"我还要"), u"· · ·");         // the adverb
    EXPECT_EQ(Read(u"三行"), u"· Háng");          // lines
    EXPECT_EQ(Read(u"一行字"), u"· Háng ·");
    EXPECT_EQ(Read(u"一行人"), u"· · ·");      // a party
    EXPECT_EQ(Read(u"一行树"), u"· Háng ·");   // ends the run, though tagged a verb
    EXPECT_EQ(Read(u"一行走了"), u"· · · ·");  // a party's verb
    EXPECT_EQ(Read(u"这一行"), u"· · Háng");   // a trade
    EXPECT_EQ(Read(u"五行"), u"· ·");
    EXPECT_EQ(Read(u"九重天"), u"· Chóng ·");
    EXPECT_EQ(Read(u"重写"), u"Chóng ·");               // again
    EXPECT_EQ(Read(u"重达三吨").substr(0, 3), u"· ·");  // weighs
    EXPECT_EQ(Read(u"很重"), u"· ·");
    EXPECT_EQ(Read(u"擦干"), u"· Gān");  // dry as a result
    EXPECT_EQ(Read(u"很干"), u"· Gān");
    EXPECT_EQ(Read(u"要干"), u"· ·");      // to do
    EXPECT_EQ(Read(u"种下"), u"Zhòng ·");  // to plant
    EXPECT_EQ(Read(u"这种了"), u"· · ·");  // a kind
    EXPECT_EQ(Read(u"三种下"), u"· · ·");
}

TEST_F(LexiconChooserTest, TheROfErhuaStaysOverItsOwnCharacter) {
    EXPECT_EQ(Read(u"一点儿"), u"Yī Diǎn r");  // joined to the syllable before, no capital
    EXPECT_EQ(Read(u"儿"), u"·");              // the word 儿 keeps its syllable

    const ReadingChooser chooser(&table_, dictionary_, false, &lexicon_);
    ColumnRuler ruler;
    TextOutputBox output;
    PinyinMemo pinyin(dictionary_);
    AnnotatedLinePair pair;
    RunAnnotation(u"看一点儿字", kWithTones, pair, {pinyin, ruler, output, &chooser});
    const std::u16string out = output.TakeText();
    const size_t lineEnd = out.find(u"\r\n");
    const std::u16string_view syllables = std::u16string_view(out).substr(0, lineEnd);
    const std::u16string_view characters = std::u16string_view(out).substr(lineEnd + 2);
    EXPECT_EQ(syllables.substr(0, 16), u"Kàn Yī Diǎn r Zì");
    // Each character is two columns wide: its column is where the r stands.
    const size_t erColumn = syllables.find(u" r ") + 1;
    size_t column = 0;
    for (const char16_t unit : characters.substr(0, characters.find(u'儿')))
        column += unit == u' ' ? 1 : 2;
    EXPECT_EQ(column, erColumn);
}

TEST_F(LexiconChooserTest, TheUsersWordsWinWhereverTheyStand) {
    const WordTable user = WordTable::Parse(
        WordTable::Serialise({{u"证明", {u"zhēng", u"míng"}}, {u"走地", {u"zǒu", u"dì"}}}), "user");
    const ReadingChooser chooser(&table_, dictionary_, false, &lexicon_, &user);
    const auto ids = chooser.DecideAll(u"证明了安全地走地");
    EXPECT_EQ(chooser.Syllable(ids[0]), u"zhēng");
    EXPECT_EQ(ids[2], 0);                        // 了 keeps le
    EXPECT_EQ(chooser.Syllable(ids[5]), u"de");  // the rule still reads this 地
    EXPECT_EQ(chooser.Syllable(ids[7]), u"dì");  // across the lexicon's words
    // A run that holds no word of the table and nothing the rules read still takes them.
    const auto alone = chooser.DecideAll(u"我证明");
    ASSERT_NE(alone[1], 0);
    EXPECT_EQ(chooser.Syllable(alone[1]), u"zhēng");
}

// The chooser cuts a run only where a rule may read one of its units: a rule that fires where
// MayDecideAt says no would read the same text one way inside a cut run and another elsewhere.
TEST_F(LexiconChooserTest, RulesReadOnlyRunsWhereTheyMayDecide) {
    std::vector<std::u16string> syllables;
    const ParticleRules rules(lexicon_, [&](std::u16string_view syllable) {
        syllables.emplace_back(syllable);
        return static_cast<SyllableId>(syllables.size());
    });
    const std::u16string_view units =
        u"证明这只猫安全地走种跑得快我受称之为变因千百万唯取胜件两着还行"
        u"重干儿点摸借擦很写下字人三九天达找要看五树不一个了长";
    std::mt19937 random(24);
    std::uniform_int_distribution<size_t> pick(0, units.size() - 1);
    // Short pieces: in a long one some rule may nearly always read some unit.
    std::uniform_int_distribution<size_t> length(1, 6);
    int unread = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        std::u16string piece(length(random), u'\0');
        for (char16_t& unit : piece) unit = units[pick(random)];
        bool mayDecide = false;
        for (size_t at = 0; at < piece.size(); ++at)
            mayDecide |= ParticleRules::MayDecide(piece[at]) && rules.MayDecideAt(piece, at);
        if (mayDecide) continue;
        ++unread;
        std::array<PieceWord, ReadingChooser::kLongestPiece> path;
        const size_t count =
            lexicon_.Cut(piece, static_cast<uint8_t>(lexicon_.Tags().size()), path);
        std::vector<SyllableId> ids(piece.size(), 0);
        rules.Apply(piece, std::span<const PieceWord>(path.data(), count), ids);
        ASSERT_EQ(ids, std::vector<SyllableId>(piece.size(), 0)) << EncodeUtf8(piece);
    }
    EXPECT_GT(unread, 10000);  // most pieces, so that the rules' silence is tested
}

TEST_F(LexiconChooserTest, YiBeforeHundredsAndAfterAWordThatEndsInIt) {
    EXPECT_EQ(Read(u"一千", true), u"Yì ·");
    EXPECT_EQ(Read(u"一百", true), u"Yì ·");
    EXPECT_EQ(Read(u"一万", true), u"Yí ·");
    EXPECT_EQ(Read(u"唯一一个", true), u"· · Yí ·");  // the first ends 唯一
    EXPECT_EQ(Read(u"一一", true), u"· ·");           // one by one
    EXPECT_EQ(Read(u"十一万", true), u"· · ·");       // inside a number
}

// The run with a chooser: words keep their syllables where a chunk border or a wrap cuts them.
class ChosenRunTest : public ReadingChooserTest {
  protected:
    std::u16string Run(std::u16string_view text, const ReadingChooser* chooser) {
        ColumnRuler ruler;
        TextOutputBox output;
        PinyinMemo pinyin(dictionary_);
        AnnotatedLinePair pair;
        RunAnnotation(text, kWithTones, pair, {pinyin, ruler, output, chooser});
        return output.TakeText();
    }
};

TEST_F(ChosenRunTest, AWordAcrossAChunkBorderKeepsItsReading) {
    const ReadingChooser chooser(&words_, dictionary_, false);
    const std::u16string text = std::u16string(79, u' ') + u"银行";  // 银 ends chunk 1
    const std::u16string out = Run(text, &chooser);
    EXPECT_NE(out.find(u"Yín Háng"), std::u16string::npos) << std::string(out.begin(), out.end());
    EXPECT_EQ(Run(text, nullptr).find(u"Háng"), std::u16string::npos);
}

TEST_F(ChosenRunTest, AWordAcrossADecisionWindowKeepsItsReading) {
    // The run decides 65,536 units at a time: 银 ends the first window, 行 opens the second, and
    // 一 before 定 in the next word changes its tone across the same border.
    const ReadingChooser chooser(&words_, dictionary_, true);
    for (const std::u16string_view word : {u"银行", u"一定"}) {
        const std::u16string text = std::u16string(65'535, u' ') + std::u16string(word);
        const std::u16string out = Run(text, &chooser);
        const std::u16string_view expected = word == u"银行" ? u"Yín Háng" : u"Yí Dìng";
        EXPECT_NE(out.find(expected), std::u16string::npos)
            << std::string(out.end() - 40, out.end());
    }
}

TEST_F(ChosenRunTest, AWordAcrossAWrappedLineKeepsItsReading) {
    const ReadingChooser chooser(&words_, dictionary_, false);
    // 39 spaces take 78 columns; 银 (4 columns) wraps the line, 行 opens the next.
    const std::u16string text = std::u16string(39, u' ') + u"银行";
    const std::u16string out = Run(text, &chooser);
    const size_t wrap = out.find(u"银");
    ASSERT_NE(wrap, std::u16string::npos);
    EXPECT_NE(out.find(u"\r\nHáng "), std::u16string::npos);  // the next pinyin line
    EXPECT_NE(out.find(u"Yín \r\n"), std::u16string::npos);
}

TEST_F(ChosenRunTest, OnlyTheSyllablesChangeNotTheLayout) {
    // Same columns: háng and xíng have four letters, so the lines match but for the syllable.
    const ReadingChooser chooser(&words_, dictionary_, false);
    const std::u16string text = u"银行\r\n" + std::u16string(100, u'银');
    std::u16string expected = Run(text, nullptr);
    expected.replace(expected.find(u"Xíng"), 4, u"Háng");
    EXPECT_EQ(Run(text, &chooser), expected);
}

}  // namespace
}  // namespace sorvani
