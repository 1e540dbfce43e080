#include "annotation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "test_dictionary.h"
#include "text_output_box.h"

namespace sorvani {
namespace {

class AnnotationRunTest : public testing::Test {
  protected:
    AnnotationRunTest() { test_support::FillDictionary(dictionary_); }

    std::u16string Run(std::u16string_view text) {
        RunAnnotation(text, kWithoutTones, pair_, tools_, [this](int64_t position, int64_t total) {
            progress_.emplace_back(position, total);
        });
        return output_.TakeText();
    }

    // What one layout call over the whole text gives.
    std::u16string LaidOutAtOnce(std::u16string_view text) {
        AnnotatedLinePair pair;
        TextOutputBox output;
        LayoutAnnotatedText(text, 0, kWithoutTones, pair, {pinyin_, ruler_, output});
        return output.TakeText();
    }

    PinyinDictionary dictionary_;
    ColumnRuler ruler_;
    TextOutputBox output_;
    PinyinMemo pinyin_{dictionary_};
    LayoutTools tools_{pinyin_, ruler_, output_};
    AnnotatedLinePair pair_;
    std::vector<std::pair<int64_t, int64_t>> progress_;
};

using Progress = std::vector<std::pair<int64_t, int64_t>>;

TEST_F(AnnotationRunTest, AnEmptyTextRunsNoChunk) {
    pair_.PinyinBuffer = u"left over";
    output_.Append(u"left over");
    EXPECT_EQ(Run(u""), u"");
    EXPECT_TRUE(progress_.empty());
    EXPECT_EQ(pair_.PinyinBuffer, u"");
}

TEST_F(AnnotationRunTest, ChunksOfEightyCarryTheOpenLinesOver) {
    // A CR LF across the first border; the third chunk continues the line the second left open.
    std::u16string text = std::u16string(79, u'中') + u"\r\n" + std::u16string(79, u'a') + u"中";
    text += u"\r\nlast line";
    EXPECT_EQ(Run(text), LaidOutAtOnce(text));
    EXPECT_EQ(progress_, (Progress{{0, 172}, {80, 172}, {160, 172}}));
}

TEST_F(AnnotationRunTest, EightyOneUnitsAreTwoChunks) {
    EXPECT_EQ(Run(std::u16string(80, u'a')), LaidOutAtOnce(std::u16string(80, u'a')));
    EXPECT_EQ(progress_, (Progress{{0, 80}}));
    progress_.clear();
    Run(std::u16string(81, u'a'));
    EXPECT_EQ(progress_, (Progress{{0, 81}, {80, 81}}));
}

TEST_F(AnnotationRunTest, AChunkBorderNeverSplitsASurrogatePair) {
    const std::u16string text = std::u16string(79, u'a') + u"😀b";
    const std::u16string out = Run(text);
    EXPECT_EQ(progress_, (Progress{{0, 82}, {79, 82}}));
    EXPECT_EQ(out, LaidOutAtOnce(text));
    EXPECT_NE(out.find(u"😀"), std::u16string::npos);
}

TEST_F(AnnotationRunTest, AChunkBorderNeverPartsACharacterFromItsMarks) {
    // The border falls after "e", then inside the first of two marks of the supplementary plane.
    std::u16string text = std::u16string(78, u'a') + u"中e\u0301\u0302b";
    text += std::u16string(74, u'a') + u"中\U000E0100\U000E0101b";
    const std::u16string out = Run(text);
    EXPECT_EQ(progress_, (Progress{{0, 163}, {79, 163}, {157, 163}}));
    EXPECT_EQ(out, LaidOutAtOnce(text));
    EXPECT_NE(out.find(u"e\u0301\u0302 "), std::u16string::npos);

    // Marks that fill a whole chunk are parted from their character after all.
    progress_.clear();
    Run(u"e" + std::u16string(100, u'\u0301'));
    EXPECT_EQ(progress_, (Progress{{0, 101}, {80, 101}}));
}

TEST_F(AnnotationRunTest, AFailingChunkStopsTheRunInsteadOfLosingText) {
    dictionary_.Append({u"好", u"好", u"", u""});
    const std::u16string text = std::u16string(100, u'a') + u"好";
    EXPECT_THROW(Run(text), AnnotationFailure);
    EXPECT_EQ(progress_.size(), 2u);
}

TEST_F(AnnotationRunTest, AStopEndsTheRunBeforeTheNextChunk) {
    std::stop_source stop;
    const std::u16string text(200, u'a');
    // Stopped as the second chunk is announced: the first is laid out, no more.
    EXPECT_FALSE(RunAnnotation(
        text, kWithoutTones, pair_, tools_,
        [&](int64_t position, int64_t) {
            if (position > 0) stop.request_stop();
        },
        stop.get_token()));
    const std::u16string laidOut = output_.Text() + pair_.PinyinBuffer + pair_.CharLine;
    EXPECT_EQ(std::count(laidOut.begin(), laidOut.end(), u'a'), 2 * 80);

    // Stopped before the run, with readings chosen by context: nothing is laid out.
    ReadingChooser chooser(nullptr, dictionary_, true);
    const LayoutTools choosing{pinyin_, ruler_, output_, &chooser};
    EXPECT_FALSE(RunAnnotation(text, kWithoutTones, pair_, choosing, {}, stop.get_token()));
    EXPECT_EQ(output_.Text(), u"");
    EXPECT_TRUE(RunAnnotation(text, kWithoutTones, pair_, choosing));
}

}  // namespace
}  // namespace sorvani
