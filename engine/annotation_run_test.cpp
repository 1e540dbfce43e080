#include "annotation_run.h"

#include <gtest/gtest.h>

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
        LayoutAnnotatedText(text, 0, kWithoutTones, pair, {pinyin_, ruler_, output, events_});
        return output.TakeText();
    }

    PinyinDictionary dictionary_;
    ColumnRuler ruler_;
    TextOutputBox output_;
    NoEventLoop events_;
    PinyinMemo pinyin_{dictionary_};
    LayoutTools tools_{pinyin_, ruler_, output_, events_};
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
    EXPECT_THROW(Run(text), AnnotationError);
    EXPECT_EQ(progress_.size(), 2u);
}

// Stands for a window closed in the middle of a run.
class CancellingEventLoop final : public EventLoop {
  public:
    explicit CancellingEventLoop(int yieldsBeforeCancel) : left_(yieldsBeforeCancel) {}
    void Yield() override {
        if (left_-- == 0) throw LongWorkCancelled{};
    }

  private:
    int left_;
};

TEST_F(AnnotationRunTest, ACancellingYieldEndsTheRunMidChunk) {
    CancellingEventLoop events(5);
    const LayoutTools tools{pinyin_, ruler_, output_, events};
    EXPECT_THROW(RunAnnotation(u"ab\r\ncd\r\nef", kWithoutTones, pair_, tools), LongWorkCancelled);
    // Yields: before the chunk, then after a, b, CR, LF; the sixth ends the run after c.
    EXPECT_EQ(output_.TakeText(), u"a b \r\na b \r\n");
    EXPECT_EQ(pair_.CharLine, u"c ");
}

}  // namespace
}  // namespace sorvani
