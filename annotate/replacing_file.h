#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace sorvani::annotate {

// A file written under a temporary name beside its target, which replaces the target in one step
// when committed. Until then the target stays as it was; a file never committed is removed.
class ReplacingFile {
  public:
    // Throws ToolError when the temporary file cannot be created.
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Both throw ToolError naming the target and the cause.
    void Write(std::string_view bytes);
    void Commit();

  private:
    [[noreturn]] void Fail(const char* action, int error) const;
    void Close();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    // The open file: a descriptor or a handle, -1 when closed.
    intptr_t file_ = -1;
    bool committed_ = false;
};

}  // namespace sorvani::annotate
