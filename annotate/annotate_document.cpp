#include "annotate_document.h"

#include <memory>

#include "annotation_run.h"
#include "column_ruler.h"
#include "dictionary_file.h"
#include "input_file.h"
#include "output_sink.h"
#include "pinyin_lookup.h"
#include "program_directory.h"
#include "rtf_converter.h"
#include "text_decoder.h"
#include "text_output_box.h"
#include "tool_error.h"
#include "utf8_output_box.h"

namespace sorvani::annotate {
namespace {

class Annotator {
  public:
    explicit Annotator(const Options& options)
        : dictionaryFile_(options.dictionary.value_or(DictionaryFilePath(ProgramDirectory()))),
          toneFlag_(options.tones ? kWithTones : kWithoutTones) {
        LoadPinyinDictionary(dictionary_, dictionaryFile_);
    }

    void Run(std::u16string_view text, OutputBox& output) {
        ColumnRuler ruler;
        NoEventLoop events;
        AnnotatedLinePair pair;
        try {
            RunAnnotation(text, toneFlag_, pair, {pinyin_, ruler, output, events});
        } catch (const AnnotationError& failure) {
            throw ToolError(PathText(dictionaryFile_) + ": " + failure.what());
        }
    }

  private:
    std::filesystem::path dictionaryFile_;
    int16_t toneFlag_;
    PinyinDictionary dictionary_;
    PinyinMemo pinyin_{dictionary_};
};

// The input's text as the document box holds it. Starts the RTF converter when the input or the
// output is RTF.
std::u16string InputText(const Options& options, std::unique_ptr<RtfConverter>& rtf) {
    const std::string bytes = ReadInput(options.input);
    // Only a run that reads or writes RTF pays for starting Qt.
    if (options.format == OutputFormat::Rtf || text::IsRtf(bytes)) rtf = LoadRtfConverter();
    const std::string name = options.input ? PathText(*options.input) : "standard input";
    if (!text::IsRtf(bytes)) {
        try {
            return text::DecodeText(bytes, u"\r\n");
        } catch (const text::NotTextError& error) {
            // A picture or a program would come out as pages of nonsense syllables.
            throw ToolError(name + ": " + error.what());
        }
    }
    if (auto text = rtf->BoxText(bytes)) return std::move(*text);
    throw ToolError(name + ": damaged RTF: it ends before its document does");
}

}  // namespace

void AnnotateDocument(const Options& options) {
    Annotator annotator(options);
    std::unique_ptr<RtfConverter> rtf;
    const std::u16string text = InputText(options, rtf);

    OutputSink sink(options.output);
    if (options.format == OutputFormat::Rtf) {
        TextOutputBox output;
        annotator.Run(text, output);
        sink.Write(rtf->ExportedRtf(output.Text()));
    } else {
        Utf8OutputBox output([&sink](std::string_view bytes) { sink.Write(bytes); });
        annotator.Run(text, output);
        output.Flush();
    }
    sink.Finish();
}

}  // namespace sorvani::annotate
