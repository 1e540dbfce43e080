#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace sorvani::annotate {

// The output file of a run. A regular file (or a new one) is written as a temporary file in its
// folder (on Linux one without a name) and replaces the target in one step when committed; until
// then the target stays as it was, and a file never committed (or a run ended by a signal, or on
// Windows by Ctrl+C or the console closing) leaves nothing behind. The replacement keeps the old
// file's permissions (and owner where allowed) and on POSIX systems its access control list and
// other extended attributes, or is refused; a read-only file is refused. Links are followed to the
// file they name. A file with several hard links is replaced under the name given, so the other
// names keep the old text. A FIFO or a device is written directly; on POSIX systems anything else
// that is no file is refused.
class ReplacingFile {
  public:
    // Throws ToolError when the target cannot be written.
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Both throw ToolError naming the target and the cause.
    void Write(std::string_view bytes);
    void Commit();

  private:
    enum class Way {
        Replace,  // the temporary file takes the target's place
        Direct,   // no temporary file
    };

    [[noreturn]] void Fail(const char* action, int error) const;
    [[noreturn]] void Fail(const char* action, const char* cause) const;
    void Close();

    // The named path, for messages, and the file it names at the end of any links.
    std::filesystem::path named_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    // The open file: a descriptor or a handle, -1 when closed.
    intptr_t file_ = -1;
    Way way_ = Way::Replace;
    bool committed_ = false;
};

}  // namespace sorvani::annotate
