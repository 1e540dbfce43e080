#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace sorvani::annotate {

// All bytes of the file, or of standard input when there is no file. Throws ToolError naming the
// file and the cause.
std::string ReadInput(const std::optional<std::filesystem::path>& file);

}  // namespace sorvani::annotate
