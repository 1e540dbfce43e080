#include "annotator.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "test_dictionary.h"
#include "text_output_box.h"
#include "utf8.h"
#include "word_table.h"

namespace sorvani {
namespace {

class AnnotatorTest : public testing::Test {
  protected:
    AnnotatorTest() { test_support::FillDictionary(dictionary_); }

    std::string Streamed(std::u16string_view text, ToneMarks tones) {
        std::string out;
        AnnotationStream stream =
            annotator_.Stream(tones, [&out](std::string_view bytes) { out += bytes; });
        stream.Add(text.substr(0, text.size() / 2));
        stream.Add(text.substr(text.size() / 2));
        stream.Finish();
        return out;
    }

    PinyinDictionary dictionary_;
    Annotator annotator_{dictionary_, "no such folder/words.dat"};
};

TEST_F(AnnotatorTest, WholeAndStreamedRunsGiveTheSameTextWithOrWithoutToneMarks) {
    const std::u16string text = u"中国绿啊\r\n" + std::u16string(90, u'文') + u"\r\nab";
    EXPECT_EQ(annotator_.Annotated(u"中国绿", ToneMarks::With),
              u"Zhōng Guó Lǜ \r\n中    国  绿 \r\n");
    EXPECT_EQ(annotator_.Annotated(u"绿", ToneMarks::Without), u"Lü \r\n绿 \r\n");
    for (const ToneMarks tones : {ToneMarks::With, ToneMarks::Without, ToneMarks::With}) {
        const std::u16string whole = annotator_.Annotated(text, tones);
        EXPECT_EQ(Streamed(text, tones), EncodeUtf8(whole));
    }
}

TEST_F(AnnotatorTest, ChosenReadingsApplyToBothRunsUntilChosenAgain) {
    // The user's reading of a word wins over the dictionary's, in both ways of running.
    annotator_.SetUserWords({{u"中国", {u"zhòng", u"guó"}}});
    annotator_.ChooseReadings({});
    ASSERT_NE(annotator_.Chooser(), nullptr);
    const std::u16string chosen = annotator_.Annotated(u"中国", ToneMarks::With);
    EXPECT_EQ(chosen, u"Zhòng Guó \r\n中    国  \r\n");
    EXPECT_EQ(Streamed(u"中国", ToneMarks::With), EncodeUtf8(chosen));

    annotator_.SetUserWords({});
    annotator_.ChooseReadings({});
    EXPECT_EQ(annotator_.Chooser(), nullptr);
    EXPECT_EQ(annotator_.Annotated(u"中国", ToneMarks::With), u"Zhōng Guó \r\n中    国  \r\n");
}

TEST_F(AnnotatorTest, AMissingWordTableLeavesTheReadingsAsTheyWere) {
    annotator_.ChooseReadings({false, true});
    const ReadingChooser* before = annotator_.Chooser();
    ASSERT_NE(before, nullptr);
    EXPECT_THROW(annotator_.ChooseReadings({true, false}), WordTableError);
    EXPECT_EQ(annotator_.Chooser(), before);
    EXPECT_EQ(annotator_.Annotated(u"中", ToneMarks::Without), u"Zhong \r\n中    \r\n");
}

TEST_F(AnnotatorTest, BothRunsFailTheSameWayAndTheNextRunStartsClean) {
    dictionary_.Append({u"好", u"好", u"", u""});
    EXPECT_THROW(annotator_.Annotated(u"中好", ToneMarks::With), AnnotationFailure);
    EXPECT_THROW(Streamed(u"中国好", ToneMarks::With), AnnotationFailure);
    // The failed run's open lines are not carried into the next.
    EXPECT_EQ(annotator_.Annotated(u"国", ToneMarks::With), u"Guó \r\n国  \r\n");
}

TEST_F(AnnotatorTest, TellsProgressBeforeEachChunkAndHeedsAStop) {
    const std::u16string text(200, u'a');
    std::vector<std::pair<int64_t, int64_t>> told;
    TextOutputBox output;
    EXPECT_TRUE(annotator_.Annotate(
        text, ToneMarks::Without, output,
        [&](int64_t position, int64_t total) { told.emplace_back(position, total); }));
    EXPECT_EQ(told, (std::vector<std::pair<int64_t, int64_t>>{{0, 200}, {80, 200}, {160, 200}}));

    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(annotator_.Annotate(text, ToneMarks::Without, output, {}, stop.get_token()));
    EXPECT_EQ(output.Text(), u"");
}

}  // namespace
}  // namespace sorvani
