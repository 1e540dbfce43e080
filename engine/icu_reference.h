// What ICU says about code page 936 and letter case, kept as a table it gave, for the tests on
// systems without ICU (Windows). tools/cp936/generate_cp936_table --reference writes the table;
// where ICU is found, the tests check that it still says so.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace sorvani::icu_reference {

struct ReferenceRun {
    uint16_t from, to, count;
};
struct ReferenceCase {
    uint16_t unit, upper, lower;
};
#include "icu_reference.inc"

class Table {
  public:
    Table() {
        for (const auto& run : kEncodedRuns)
            for (int i = 0; i < run.count; ++i)
                codes_[static_cast<char16_t>(run.from + i)] = static_cast<uint16_t>(run.to + i);
        for (const auto& run : kDecodedRuns)
            for (int i = 0; i < run.count; ++i)
                units_[static_cast<uint16_t>(run.from + i)] = static_cast<char16_t>(run.to + i);
        for (const auto& mapping : kCaseMappings) cases_[mapping.unit] = mapping;
    }

    // Signed code of one unit in Windows' code page 936, 63 when unencodable.
    int16_t Code(char16_t unit) const {
        const auto found = codes_.find(unit);
        return found == codes_.end() ? 63 : static_cast<int16_t>(found->second);
    }

    // The text two bytes decode to, when it is one unit; nothing otherwise.
    std::u16string Decode(const std::string& bytes) const {
        const auto found = units_.find(static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 |
                                                             static_cast<uint8_t>(bytes[1])));
        return found == units_.end() ? u"" : std::u16string(1, found->second);
    }

    // Unicode's simple case mappings, for the code page's characters.
    char16_t Upper(char16_t unit) const {
        const auto found = cases_.find(unit);
        return found == cases_.end() ? unit : static_cast<char16_t>(found->second.upper);
    }
    char16_t Lower(char16_t unit) const {
        const auto found = cases_.find(unit);
        return found == cases_.end() ? unit : static_cast<char16_t>(found->second.lower);
    }

  private:
    std::map<char16_t, uint16_t> codes_;
    std::map<uint16_t, char16_t> units_;
    std::map<char16_t, ReferenceCase> cases_;
};

}  // namespace sorvani::icu_reference
