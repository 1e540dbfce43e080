#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "context_readings.h"
#include "document_format.h"

namespace sorvani::annotate {

// The paper of PDF output.
enum class Paper { A4, Letter };

// How PDF, HTML and DOCX output is laid out.
struct PageOptions {
    static constexpr int kSmallestSize = 10;
    static constexpr int kLargestSize = 36;

    Paper paper = Paper::A4;
    // The document box's columns as they are, instead of the reading layout.
    bool box = false;
    // The reading layout: the characters' size in points, syllables capitalised as in the text,
    // syllables coloured by tone, the writing-practice grid.
    int size = 16;
    bool capitals = false;
    bool toneColours = false;
    bool grid = false;
};

struct Options {
    bool help = false;
    bool version = false;
    bool tones = false;
    // --words and --sandhi: readings chosen by word, and the tone change of 一 and 不.
    ReadingOptions readings;
    std::optional<std::filesystem::path> dictionary;
    // --user-words: the user's own readings, which turn readings by word on.
    std::optional<std::filesystem::path> userWords;
    // Standard output when absent.
    std::optional<std::filesystem::path> output;
    // As --format says; else as the output file's name ends (*.rtf, *.pdf, *.html, *.htm or
    // *.docx), text otherwise.
    DocumentFormat format = DocumentFormat::Text;
    PageOptions page;
    // Standard input when absent.
    std::optional<std::filesystem::path> input;
};

// Reads the arguments after the program name (UTF-8). Throws UsageError.
Options ParseOptions(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace sorvani::annotate
