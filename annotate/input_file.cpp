#include "input_file.h"

#include <system_error>

#include "file_messages.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

constexpr size_t kPiece = 1 << 16;

[[noreturn]] void ThrowUnreadable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw ToolError(FileNotFoundMessage(file));
    // A name too long, a loop of links, a folder that may not be searched.
    if (error) throw ToolError(FileUnreadableMessage(file, error));
    if (std::filesystem::is_directory(status)) throw ToolError(PathText(file) + ": is a directory");
    throw ToolError(FileUnreadableMessage(file));
}

}  // namespace

InputFile::InputFile(const std::optional<std::filesystem::path>& file)
    : file_(file), name_(file ? PathText(*file) : "standard input") {
    if (!file_) return;
    std::error_code error;
    if (std::filesystem::is_directory(*file_, error)) ThrowUnreadable(*file_);
    stream_.open(*file_, std::ios::binary);
    if (!stream_) ThrowUnreadable(*file_);
}

bool InputFile::Read(std::string& bytes, size_t limit) {
    bytes.resize(limit);
    size_t got;
    if (file_) {
        stream_.read(bytes.data(), static_cast<std::streamsize>(limit));
        got = static_cast<size_t>(stream_.gcount());
        // A read error leaves the stream bad, where the end only fails it.
        if (stream_.bad()) ThrowUnreadable(*file_);
    } else {
        got = std::fread(bytes.data(), 1, limit, stdin);
        if (std::ferror(stdin)) throw ToolError("standard input: read error");
    }
    bytes.resize(got);
    return got > 0;
}

void InputFile::ReadRest(std::string& bytes) {
    std::string piece;
    while (Read(piece, kPiece)) bytes += piece;
}

}  // namespace sorvani::annotate
