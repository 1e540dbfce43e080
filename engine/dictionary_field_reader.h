#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace sorvani {

// Reads the fields of the dictionary file the way sequential text input reads comma-separated
// values: commas and line ends (CR LF, CR or LF) both end a field, blanks in front of a field are
// skipped, and a field may be enclosed in double quotes. Works on bytes in memory (a stretch of
// the file), so that a field is a view of them and finding its end is a scan, not a call per byte.
class DictionaryFieldReader {
  public:
    explicit DictionaryFieldReader(std::string_view bytes) : bytes_(bytes) {}

    // Reading has looked past the last byte: had there been more, what it read could differ.
    bool reachedEnd() const { return reachedEnd_; }

    // How many bytes have been read.
    size_t position() const { return pos_; }

    // True when no byte is left.
    bool AtEnd() { return pos_ == bytes_.size() ? ReachEnd() : false; }

    // The next field, a view into the bytes, or nothing when they have ended before it.
    std::optional<std::string_view> Next();

  private:
    // Notes that reading looked past the last byte; always true.
    bool ReachEnd() { return reachedEnd_ = true; }
    // The position of the first comma or line end from pos_ on, or the end.
    size_t FindDelimiter() const;
    // Consumes a comma or a line end after a field; other bytes before it are dropped.
    void SkipDelimiter();

    std::string_view bytes_;
    size_t pos_ = 0;
    bool reachedEnd_ = false;
};

}  // namespace sorvani
