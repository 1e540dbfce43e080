#include "dictionary_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "canonical_record.h"
#include "dictionary_field.h"
#include "dictionary_field_reader.h"
#include "file_messages.h"
#include "path_text.h"

namespace sorvani {
namespace {

void ThrowOpenFailure(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::status(file, error).type() == std::filesystem::file_type::not_found)
        throw DictionaryError(DictionaryError::Kind::FileMissing, FileNotFoundMessage(file));
    // A name too long, a loop of links, a folder that may not be searched.
    throw DictionaryError(DictionaryError::Kind::FileUnreadable,
                          FileUnreadableMessage(file, error));
}

[[noreturn]] void ThrowTooLarge(const std::string& name) {
    throw DictionaryError(DictionaryError::Kind::TooLarge,
                          "More than " + std::to_string(kDictionaryByteLimit >> 20) +
                              " MB, too large for a dictionary: " + name);
}

// The input as a window of bytes that moves on record by record, so that reading costs neither
// a call per byte nor memory for the whole file (fresh memory is slow to touch at a program's
// start). At most kDictionaryByteLimit bytes are read.
class InputWindow {
  public:
    explicit InputWindow(std::streambuf& input) : input_(input), bytes_(64 << 10, '\0') { Fill(); }

    // The bytes not yet consumed.
    std::string_view Rest() const {
        return std::string_view(bytes_).substr(start_, filled_ - start_);
    }
    void Consume(size_t count) { start_ += count; }

    // No byte follows Rest() within the limit.
    bool last() const { return last_; }
    // The input goes on past the limit.
    bool tooLong() const { return tooLong_; }

    // Moves Rest() to the front and reads more after it, in a larger window when it fills this
    // one. Call only while not last().
    void Fill() {
        std::copy(bytes_.begin() + start_, bytes_.begin() + filled_, bytes_.begin());
        filled_ -= start_;
        start_ = 0;
        if (filled_ == bytes_.size())
            bytes_.resize(std::min(2 * bytes_.size(), kDictionaryByteLimit));
        const size_t wanted = std::min(bytes_.size() - filled_, kDictionaryByteLimit - taken_);
        const auto got = static_cast<size_t>(
            input_.sgetn(bytes_.data() + filled_, static_cast<std::streamsize>(wanted)));
        filled_ += got;
        taken_ += got;
        if (taken_ == kDictionaryByteLimit) {
            last_ = true;
            tooLong_ = input_.sgetc() != std::char_traits<char>::eof();
        } else {
            last_ = got < wanted;
        }
    }

  private:
    std::streambuf& input_;
    std::string bytes_;
    size_t start_ = 0, filled_ = 0, taken_ = 0;
    bool last_ = false, tooLong_ = false;
};

enum class Outcome { Record, End, NeedMore };

// Reads the next record into `plain`, or finds the end. A record that reaches the end of a
// window that is not the last is not read: it is read again once more bytes are in the window.
Outcome ReadRecord(DictionaryFieldReader& reader, const InputWindow& window, long record,
                   const std::string& name, DictionaryRecord& plain) {
    const auto atWindowEnd = [&] {
        if (!reader.reachedEnd()) return false;
        if (!window.last()) return true;
        if (window.tooLong()) ThrowTooLarge(name);
        return false;
    };
    if (reader.AtEnd()) return atWindowEnd() ? Outcome::NeedMore : Outcome::End;
    for (auto& field : plain) {
        const auto stored = reader.Next();
        if (atWindowEnd()) return Outcome::NeedMore;
        if (!stored)
            throw DictionaryError(
                DictionaryError::Kind::InputPastEnd,
                "Input past end of file in record " + std::to_string(record) + ": " + name);
        field.clear();
        DecodeDictionaryField(*stored, DictionaryKey, field);
    }
    return Outcome::Record;
}

}  // namespace

std::filesystem::path DictionaryFilePath(const std::filesystem::path& programDirectory) {
    return programDirectory / kDictionaryFileName;
}

void ReadDictionaryRecords(PinyinDictionary& table, std::streambuf& input,
                           const std::string& name) {
    // A stored character takes at least two bytes: a digit and the space or quote after it.
    table.Reserve(static_cast<size_t>(
                      std::clamp<std::streamsize>(input.in_avail(), 0, kDictionaryByteLimit)) /
                  2);
    InputWindow window(input);
    DictionaryRecord plain;
    for (long record = 1;;) {
        size_t used = ReadCanonicalRecord(window.Rest(), DictionaryKey, plain);
        if (used == 0) {
            DictionaryFieldReader reader(window.Rest());
            switch (ReadRecord(reader, window, record, name, plain)) {
                case Outcome::End:
                    return;
                case Outcome::NeedMore:
                    window.Fill();
                    continue;
                case Outcome::Record:
                    break;
            }
            used = reader.position();
        }
        if (table.full())
            throw DictionaryError(
                DictionaryError::Kind::TooManyRecords,
                "More than " + std::to_string(PinyinDictionary::kRows) + " records: " + name);
        table.Append(plain);
        window.Consume(used);
        ++record;
    }
}

void LoadPinyinDictionary(PinyinDictionary& table, const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) ThrowOpenFailure(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) ThrowOpenFailure(file);
    ReadDictionaryRecords(table, *in.rdbuf(), PathText(file));
}

void WriteDictionaryRecord(std::ostream& out, const DictionaryRecord& record) {
    for (size_t column = 0; column < record.size(); ++column) {
        if (column) out << ',';
        out << '"' << EncodeDictionaryField(record[column], DictionaryKey) << '"';
    }
    out << "\r\n";
}

}  // namespace sorvani
