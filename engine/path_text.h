#pragma once

#include <filesystem>
#include <string>

namespace sorvani {

// A path as UTF-8 with the platform's separators, for messages.
inline std::string PathText(const std::filesystem::path& file) {
    const std::u8string text = std::filesystem::path(file).make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace sorvani
