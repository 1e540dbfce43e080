#include "pdf_text_layer.h"

#include <QRegularExpression>
#include <QSet>

namespace sorvani::documents {
namespace {

constexpr QByteArrayView kMapStart = "/CIDInit /ProcSet findresource begin\n";
constexpr QByteArrayView kRangesStart = "endcodespacerange\n";
constexpr QByteArrayView kRangesEnd = "endcmap\n";
constexpr int kRangesPerBlock = 100;

}  // namespace

QByteArray RepairedToUnicodeMap(QByteArrayView map) {
    const qsizetype start = map.indexOf(kRangesStart), end = map.lastIndexOf(kRangesEnd);
    if (start < 0 || end < start) return map.toByteArray();
    const qsizetype rangesStart = start + kRangesStart.size();
    // A range: its first and last glyph and either the first character of a run of characters
    // or a character for each glyph. Stale bytes hold no such line, or one the map has anyway.
    static const QRegularExpression kRange(QStringLiteral(
        "<([0-9A-F]{4})> <([0-9A-F]{4})> (?:<[0-9A-F]{4}>|\\[((?:<[0-9A-F]{4}> )*)\\])\\n"));
    const QString ranges =
        QString::fromLatin1(map.sliced(rangesStart, end - rangesStart).toByteArray());
    QStringList kept;
    QSet<QString> seen;
    for (auto match = kRange.globalMatch(ranges); match.hasNext();) {
        const QRegularExpressionMatch range = match.next();
        const int first = range.captured(1).toInt(nullptr, 16);
        const int last = range.captured(2).toInt(nullptr, 16);
        const bool listed = range.capturedLength(3) > 0;
        if (last < first || (listed && range.capturedLength(3) != 7 * (last - first + 1))) continue;
        const QString line = range.captured(0);
        if (!seen.contains(line)) kept << line;
        seen.insert(line);
    }
    QByteArray repaired = map.first(rangesStart).toByteArray();
    for (qsizetype i = 0; i < kept.size(); i += kRangesPerBlock) {
        const qsizetype count = std::min<qsizetype>(kRangesPerBlock, kept.size() - i);
        repaired += QByteArray::number(count) + " beginbfrange\n";
        for (qsizetype k = i; k < i + count; ++k) repaired += kept[k].toLatin1();
        repaired += "endbfrange\n";
    }
    const QByteArrayView rest = map.sliced(end);
    if (repaired.size() + rest.size() > map.size()) return map.toByteArray();
    repaired += QByteArray(map.size() - rest.size() - repaired.size(), '\n');
    return repaired + rest.toByteArray();
}

TextLayerRepair::TextLayerRepair(QIODevice& out) : out_(out) { open(QIODevice::WriteOnly); }

qint64 TextLayerRepair::writeData(const char* data, qint64 size) {
    if (failed_) return -1;
    held_.append(data, size);
    for (;;) {
        if (!inMap_) {
            const qsizetype at = held_.indexOf(kMapStart);
            // The start of a map may be cut by the end of this write.
            const qsizetype passed =
                at >= 0 ? at : std::max<qsizetype>(0, held_.size() - kMapStart.size() + 1);
            if (!Pass(QByteArrayView(held_).first(passed))) return -1;
            held_.remove(0, passed);
            if (at < 0) return size;
            inMap_ = true;
        }
        const qsizetype end = held_.indexOf(kRangesEnd);
        if (end < 0) return size;
        const qsizetype mapEnd = end + kRangesEnd.size();
        if (!Pass(RepairedToUnicodeMap(QByteArrayView(held_).first(mapEnd)))) return -1;
        held_.remove(0, mapEnd);
        inMap_ = false;
    }
}

bool TextLayerRepair::Pass(QByteArrayView bytes) {
    if (bytes.isEmpty()) return true;
    failed_ = failed_ || out_.write(bytes.data(), bytes.size()) != bytes.size();
    return !failed_;
}

bool TextLayerRepair::Finish() {
    const bool passed = Pass(held_);
    held_.clear();
    inMap_ = false;
    return passed;
}

}  // namespace sorvani::documents
