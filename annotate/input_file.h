#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace sorvani::annotate {

// The input, read in pieces: a file, or standard input when there is no file. Throws ToolError
// naming the file and the cause, a read error included.
class InputFile {
  public:
    explicit InputFile(const std::optional<std::filesystem::path>& file);

    // The input's name for messages.
    const std::string& name() const { return name_; }

    // Replaces `bytes` with the next piece of at most `limit` bytes; false at the end.
    bool Read(std::string& bytes, size_t limit);
    // Appends everything that is left.
    void ReadRest(std::string& bytes);

  private:
    std::optional<std::filesystem::path> file_;
    std::string name_;
    std::ifstream stream_;
};

}  // namespace sorvani::annotate
