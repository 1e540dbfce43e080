#include "annotate_document.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "annotator.h"
#include "binary_streams.h"
#include "dictionary_file.h"
#include "document_converter.h"
#include "file_messages.h"
#include "input_file.h"
#include "output_sink.h"
#include "program_directory.h"
#include "text_decoder.h"
#include "tool_error.h"
#include "user_words.h"
#include "utf8.h"

namespace sorvani::annotate {
namespace {

// Input read at a time: the text is decoded, annotated and written piece by piece.
constexpr size_t kInputPiece = 1 << 14;
// Bytes that tell RTF from plain text.
constexpr size_t kRtfHead = 5;

// The user's words from their file; each line left out is reported, the run goes on.
std::vector<WordTable::Word> UserWordsOf(const std::filesystem::path& file) {
    // A word list of a school is kilobytes; more is the wrong file.
    constexpr uintmax_t kLargestList = 16 << 20;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw ToolError(std::filesystem::exists(file, error) ? NotRegularFileMessage(file)
                                                             : FileNotFoundMessage(file));
    if (std::filesystem::file_size(file, error) > kLargestList)
        throw ToolError(PathText(file) + ": too large for a word list");
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf())) throw ToolError(FileUnreadableMessage(file));
    UserWords words = ParseUserWords(bytes.str());
    for (const auto& problem : words.problems)
        WriteText(stderr,
                  "sorvani-annotate: " + PathText(file) + ": " + problem.Text() + "; left out\n");
    return std::move(words.words);
}

// The engine's annotator as the options set it up, naming the dictionary in its failures.
class ToolAnnotator {
  public:
    explicit ToolAnnotator(const Options& options)
        : dictionaryFile_(options.dictionary.value_or(DictionaryFilePath(ProgramDirectory()))),
          tones_(options.tones ? ToneMarks::With : ToneMarks::Without) {
        LoadPinyinDictionary(dictionary_, dictionaryFile_);
        if (options.userWords) annotator_.SetUserWords(UserWordsOf(*options.userWords));
        annotator_.ChooseReadings(options.readings);
    }

    // The annotation as UTF-8, passed on to `write` as it is made: the input goes through `feed`,
    // which gets a function to call with each piece of text, given as a function that appends it
    // to the string it is called with (AnnotationStream::AddBy).
    template <typename Feed>
    void Stream(const AnnotationStream::Writer& write, Feed feed) {
        AnnotationStream stream = annotator_.Stream(tones_, write);
        try {
            feed([&stream](const auto& append) { stream.AddBy(append); });
            stream.Finish();
        } catch (const AnnotationFailure& failure) {
            throw DictionaryFailure(failure);
        }
    }

  private:
    ToolError DictionaryFailure(const AnnotationFailure& failure) const {
        return ToolError(PathText(dictionaryFile_) + ": " + failure.what());
    }

    std::filesystem::path dictionaryFile_;
    ToneMarks tones_;
    PinyinDictionary dictionary_;
    Annotator annotator_{dictionary_, WordTableFilePath(ProgramDirectory())};
};

std::u16string RtfText(DocumentConverter& rtf, const std::string& bytes, const InputFile& input) {
    if (auto text = rtf.ImportedText(bytes)) return std::move(*text);
    throw ToolError(input.name() + ": damaged RTF: it ends before its document does");
}

}  // namespace

void AnnotateDocument(const Options& options) {
    ToolAnnotator annotator(options);
    InputFile input(options.input);
    std::string head, piece;
    while (head.size() < kRtfHead && input.Read(piece, kRtfHead - head.size())) head += piece;
    const bool rtfInput = text::IsRtf(head);

    std::unique_ptr<DocumentConverter> rtf;
    // Only a run that reads RTF or writes a document pays for starting Qt.
    if (options.format != DocumentFormat::Text || rtfInput) rtf = LoadDocumentConverter();
    if (rtfInput) input.ReadRest(head);

    OutputSink sink(options.output);
    const AnnotationStream::Writer write = [&sink](std::string_view bytes) { sink.Write(bytes); };
    const auto feed = [&](const auto& annotate) {
        if (rtfInput) {
            // Read whole, as the RTF reader needs it, and annotated a piece at a time.
            const std::u16string text = RtfText(*rtf, head, input);
            for (size_t at = 0; at < text.size(); at += kInputPiece)
                annotate([piece = std::u16string_view(text).substr(at, kInputPiece)](
                             std::u16string& pending) { pending.append(piece); });
            return;
        }
        // Decoded straight onto the text the stream lays out.
        text::TextDecoder decoder(u"\r\n");
        try {
            for (std::string_view bytes = head;; bytes = piece) {
                annotate([&](std::u16string& pending) { decoder.Decode(bytes, pending); });
                if (!input.Read(piece, kInputPiece)) break;
            }
            annotate([&](std::u16string& pending) { decoder.Finish(pending); });
        } catch (const text::NotTextError& error) {
            // A picture or a program would come out as pages of nonsense syllables.
            throw ToolError(input.name() + ": " + error.what());
        }
    };
    if (options.format == DocumentFormat::Text) {
        annotator.Stream(write, feed);
    } else {
        // The document is written as the annotation goes, so that it is never held whole. The
        // annotation holds no lone surrogate half (the layout places one as U+FFFD), so UTF-8
        // carries it whole.
        const auto exported = rtf->StartExport(options.format, options.page, write);
        Utf8Decoder utf8;
        std::u16string text;
        annotator.Stream(
            [&](std::string_view bytes) {
                text.clear();
                utf8.Decode(bytes, text);
                exported->Add(text);
            },
            feed);
        text.clear();
        utf8.Finish(text);
        exported->Add(text);
        exported->Finish();
    }
    sink.Finish();
}

}  // namespace sorvani::annotate
