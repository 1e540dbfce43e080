#include "dictionary_field_reader.h"

namespace sorvani {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

}  // namespace

int DictionaryFieldReader::Peek() {
    if (left_ > 0) return input_.sgetc();
    if (!exhausted_) exhausted_ = input_.sgetc() != kEnd;
    return kEnd;
}

int DictionaryFieldReader::Take() {
    if (Peek() == kEnd) return kEnd;
    --left_;
    return input_.sbumpc();
}

bool DictionaryFieldReader::AtEnd() { return Peek() == kEnd; }

void DictionaryFieldReader::SkipBlanks() {
    while (IsBlank(Peek())) Take();
}

void DictionaryFieldReader::SkipDelimiter() {
    for (int c = Peek(); c != kEnd; c = Peek()) {
        Take();
        if (c == ',' || c == '\n') return;
        if (c == '\r') {
            if (Peek() == '\n') Take();
            return;
        }
    }
}

std::optional<std::string> DictionaryFieldReader::Next() {
    if (AtEnd()) return std::nullopt;
    SkipBlanks();
    std::string field;
    if (Peek() == '"') {
        Take();
        for (int c = Take(); c != kEnd && c != '"'; c = Take())
            field.push_back(static_cast<char>(c));
    } else {
        for (int c = Peek(); c != kEnd && c != ',' && !IsLineEnd(c); c = Peek())
            field.push_back(static_cast<char>(Take()));
        while (!field.empty() && IsBlank(field.back())) field.pop_back();
    }
    SkipDelimiter();
    return field;
}

}  // namespace sorvani
