#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>

namespace sorvani {

// Reads the fields of the dictionary file as a stream, the way sequential text input reads
// comma-separated values: commas and line ends (CR LF, CR or LF) both end a field, blanks in
// front of a field are skipped, and a field may be enclosed in double quotes.
class DictionaryFieldReader {
  public:
    // Reads at most `limit` bytes: what follows is taken for the end, and exhausted() says so.
    DictionaryFieldReader(std::streambuf& input, size_t limit) : input_(input), left_(limit) {}

    // The limit was reached before the input's end.
    bool exhausted() const { return exhausted_; }

    // True when no byte is left.
    bool AtEnd();

    // The next field, or nothing when the input has ended before it.
    std::optional<std::string> Next();

  private:
    int Peek();
    int Take();
    void SkipBlanks();
    // Consumes a comma or a line end after a field; other bytes before it are dropped.
    void SkipDelimiter();

    std::streambuf& input_;
    size_t left_;
    bool exhausted_ = false;
};

}  // namespace sorvani
