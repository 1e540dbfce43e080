#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvani::annotate {

struct Options {
    bool help = false;
    bool tones = false;
    std::optional<std::filesystem::path> dictionary;
    // Standard output when absent.
    std::optional<std::filesystem::path> output;
    // Standard input when absent.
    std::optional<std::filesystem::path> input;
};

// Reads the arguments after the program name (UTF-8). Throws UsageError.
Options ParseOptions(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace sorvani::annotate
