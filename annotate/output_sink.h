#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "replacing_file.h"

namespace sorvani::annotate {

// Where the output goes: standard output, or a file that replaces its target only once the whole
// output is written. Throws ToolError naming the file and the cause.
class OutputSink {
  public:
    // Standard output when there is no file.
    explicit OutputSink(const std::optional<std::filesystem::path>& file);

    void Write(std::string_view bytes);
    // Makes the output complete; a sink never finished leaves an existing file as it was.
    void Finish();

  private:
    std::optional<ReplacingFile> file_;
};

}  // namespace sorvani::annotate
