#include "annotate_document.h"

#include "annotation_run.h"
#include "column_ruler.h"
#include "dictionary_file.h"
#include "document_text.h"
#include "input_file.h"
#include "output_sink.h"
#include "pinyin_lookup.h"
#include "program_directory.h"
#include "tool_error.h"
#include "utf8_output_box.h"

namespace sorvani::annotate {

void AnnotateDocument(const Options& options) {
    const auto dictionaryFile = options.dictionary.value_or(DictionaryFilePath(ProgramDirectory()));
    PinyinDictionary dictionary;
    LoadPinyinDictionary(dictionary, dictionaryFile);

    const std::u16string text = DocumentText(ReadInput(options.input));

    OutputSink sink(options.output);
    Utf8OutputBox output([&sink](std::string_view bytes) { sink.Write(bytes); });
    PinyinMemo pinyin(dictionary);
    ColumnRuler ruler;
    NoEventLoop events;
    AnnotatedLinePair pair;
    try {
        RunAnnotation(text, options.tones ? kWithTones : kWithoutTones, pair,
                      {pinyin, ruler, output, events});
    } catch (const AnnotationError& failure) {
        throw ToolError(Describe(dictionaryFile) + ": " + failure.what());
    }
    output.Flush();
    sink.Finish();
}

}  // namespace sorvani::annotate
