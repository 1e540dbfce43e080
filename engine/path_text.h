#pragma once

#include <filesystem>
#include <string>

namespace sorvani {

// A path as UTF-8 on every platform, for messages.
inline std::string PathText(const std::filesystem::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace sorvani
