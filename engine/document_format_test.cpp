#include "document_format.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(DocumentFormatOfName, ReadsTheEndingInAnyCase) {
    EXPECT_EQ(DocumentFormatOfName(u"notes.rtf"), DocumentFormat::Rtf);
    EXPECT_EQ(DocumentFormatOfName(u"/home/li/课文.PDF"), DocumentFormat::Pdf);
    EXPECT_EQ(DocumentFormatOfName(u"page.Html"), DocumentFormat::Html);
    EXPECT_EQ(DocumentFormatOfName(u"page.HTM"), DocumentFormat::Html);
    EXPECT_EQ(DocumentFormatOfName(u"C:\\lesson.docx"), DocumentFormat::Docx);
}

TEST(DocumentFormatOfName, AsksForNoFormatByAnyOtherName) {
    for (const std::u16string_view name :
         {u"", u"notes", u"notes.txt", u"pdf", u"lesson.pdf.txt", u"page.html5", u"a.doc",
          // Letters that only look like or fold to the ending's are other characters.
          u"a.\uFF50df"})
        EXPECT_EQ(DocumentFormatOfName(name), std::nullopt);
}

}  // namespace
}  // namespace sorvani
