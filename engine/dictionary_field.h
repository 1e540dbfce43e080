#pragma once

#include <string>
#include <string_view>

// The scrambling of the dictionary file's fields: each character of a plain field is stored as
// its code page 936 code XOR the key character at its position, written in decimal, and the
// numbers are separated by single spaces.
namespace sorvani {

inline constexpr std::string_view DictionaryKey = "wxyzWXYZ5678%^&*";

// Appends the plain field of a stored one. Never fails: a token that is empty, not a number, out
// of range or without a character is dropped, and still uses up its key position.
void DecodeDictionaryField(std::string_view stored, std::string_view key, std::u16string& plain);

// The plain field of a stored one, as above.
inline std::u16string DecodeDictionaryField(std::string_view stored, std::string_view key) {
    std::u16string plain;
    DecodeDictionaryField(stored, key, plain);
    return plain;
}

// The stored form of a plain field, the inverse of DecodeDictionaryField. Throws
// std::invalid_argument for a character that code page 936 cannot encode, or an empty key.
std::string EncodeDictionaryField(std::u16string_view plain, std::string_view key);

}  // namespace sorvani
