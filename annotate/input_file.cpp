#include "input_file.h"

#include <fstream>
#include <iostream>
#include <system_error>

#include "tool_error.h"

namespace sorvani::annotate {
namespace {

std::string ReadAll(std::istream& in, size_t expectedSize) {
    std::string bytes;
    bytes.reserve(expectedSize);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer), in.gcount() > 0)
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    return bytes;
}

[[noreturn]] void ThrowUnreadable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) throw ToolError(PathText(file) + ": file not found");
    if (std::filesystem::is_directory(status)) throw ToolError(PathText(file) + ": is a directory");
    throw ToolError(PathText(file) + ": file cannot be read");
}

std::string ReadFile(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) ThrowUnreadable(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) ThrowUnreadable(file);
    const auto size = std::filesystem::file_size(file, error);
    std::string bytes = ReadAll(in, error ? 0 : size);
    if (in.bad()) ThrowUnreadable(file);
    return bytes;
}

}  // namespace

std::string ReadInput(const std::optional<std::filesystem::path>& file) {
    if (file) return ReadFile(*file);
    std::string bytes = ReadAll(std::cin, 0);
    if (std::cin.bad()) throw ToolError("standard input: read error");
    return bytes;
}

}  // namespace sorvani::annotate
