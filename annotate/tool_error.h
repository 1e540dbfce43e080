#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "path_text.h"

namespace sorvani::annotate {

// A failure that ends the program with status 1; what() names the file and the cause.
class ToolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A command line that cannot be run; ends the program with status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void ThrowFileError(const std::filesystem::path& file, const char* action,
                                        std::error_code error) {
    throw ToolError(PathText(file) + ": " + action + " (" + error.message() + ")");
}

inline std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace sorvani::annotate
