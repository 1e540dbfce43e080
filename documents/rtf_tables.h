#pragma once

#include <QColor>
#include <QString>
#include <QStringView>
#include <map>
#include <optional>
#include <vector>

namespace sorvani::documents {

struct RtfFont {
    QString name;
    int codePage = 0;  // 0: the document's code page
};

// The font table (\fonttbl) as it is read: \fN starts an entry, \fcharsetN or \cpgN gives its
// code page, its text up to ";" is the name. Entries past a fixed count are dropped, so a
// hostile table cannot take unbounded memory.
class RtfFontTable {
  public:
    void BeginEntry(int number);
    void SetCodePage(int codePage);
    int PendingCodePage() const { return pending_.codePage; }
    void AppendText(QStringView text);
    void EndEntry();

    const RtfFont* Find(int number) const;

  private:
    std::map<int, RtfFont> fonts_;
    std::optional<int> number_;
    RtfFont pending_;
};

// The colour table (\colortbl): \redN \greenN \blueN, each entry ended by ";". An entry
// without components is the automatic colour.
class RtfColorTable {
  public:
    void SetRed(int value) { Set(red_, value); }
    void SetGreen(int value) { Set(green_, value); }
    void SetBlue(int value) { Set(blue_, value); }
    void AppendText(QStringView text);

    // Nothing for the automatic colour and for indexes past the table.
    std::optional<QColor> Find(int index) const;

  private:
    void Set(int& component, int value);

    std::vector<std::optional<QColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool given_ = false;
};

}  // namespace sorvani::documents
