#include "rtf_tables.h"

#include <algorithm>

namespace sorvani::documents {
namespace {

constexpr size_t kMaxFonts = 16384;
constexpr size_t kMaxColors = 16384;
constexpr qsizetype kMaxFontNameLength = 256;

}  // namespace

void RtfFontTable::BeginEntry(int number) {
    EndEntry();
    number_ = number;
}

void RtfFontTable::SetCodePage(int codePage) {
    if (number_) pending_.codePage = codePage;
}

void RtfFontTable::AppendText(QStringView text) {
    for (const QChar c : text) {
        if (c == QLatin1Char(';'))
            EndEntry();
        else if (number_ && pending_.name.size() < kMaxFontNameLength)
            pending_.name += c;
    }
}

void RtfFontTable::EndEntry() {
    if (number_ && (fonts_.size() < kMaxFonts || fonts_.contains(*number_))) {
        pending_.name = pending_.name.trimmed();
        fonts_[*number_] = std::move(pending_);
    }
    number_.reset();
    pending_ = {};
}

const RtfFont* RtfFontTable::Find(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? nullptr : &found->second;
}

void RtfColorTable::Set(int& component, int value) {
    component = std::clamp(value, 0, 255);
    given_ = true;
}

void RtfColorTable::AppendText(QStringView text) {
    for (const QChar c : text) {
        if (c != QLatin1Char(';')) continue;
        if (colors_.size() < kMaxColors)
            colors_.push_back(given_ ? std::optional(QColor(red_, green_, blue_)) : std::nullopt);
        red_ = green_ = blue_ = 0;
        given_ = false;
    }
}

std::optional<QColor> RtfColorTable::Find(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= colors_.size()) return std::nullopt;
    return colors_[static_cast<size_t>(index)];
}

}  // namespace sorvani::documents
