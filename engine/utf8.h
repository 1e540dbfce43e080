#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvani {

// The UTF-16 form of UTF-8 bytes, or nothing when the bytes are not valid UTF-8 (overlong
// forms, surrogates and values past U+10FFFF included).
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace sorvani
