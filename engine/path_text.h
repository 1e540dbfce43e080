#pragma once

#include <filesystem>
#include <string>

namespace sorvani {

// A path as UTF-8 with the platform's separators, for messages of one line: control characters
// and line or paragraph separators are written as escapes (\n, \t, \x1B, \u2028), and bytes of a
// name that are no UTF-8 as \xHH.
std::string PathText(const std::filesystem::path& file);

}  // namespace sorvani
