#include "dictionary_field_reader.h"

#include <algorithm>

namespace sorvani {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDelimiter(char c) { return c == ',' || c == '\n' || c == '\r'; }

}  // namespace

size_t DictionaryFieldReader::FindDelimiter() const {
    size_t i = pos_;
    while (i < bytes_.size() && !IsDelimiter(bytes_[i])) ++i;
    return i;
}

void DictionaryFieldReader::SkipDelimiter() {
    pos_ = FindDelimiter();
    if (pos_ == bytes_.size()) {
        ReachEnd();
        return;
    }
    const char delimiter = bytes_[pos_++];
    if (delimiter == '\r' && !AtEnd() && bytes_[pos_] == '\n') ++pos_;
}

std::optional<std::string_view> DictionaryFieldReader::Next() {
    if (AtEnd()) return std::nullopt;
    while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) ++pos_;
    std::string_view field;
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        // Up to the closing quote, or to the end when there is none.
        const size_t start = pos_ + 1;
        pos_ = std::min(bytes_.find('"', start), bytes_.size());
        field = bytes_.substr(start, pos_ - start);
        if (pos_ < bytes_.size()) ++pos_;
    } else {
        const size_t start = pos_;
        pos_ = FindDelimiter();
        field = bytes_.substr(start, pos_ - start);
        while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
    }
    SkipDelimiter();
    return field;
}

}  // namespace sorvani
