// An exported annotation opened in LibreOffice Writer: the text arrives exact, and Chinese and
// pinyin both show in the document's monospaced font, so the columns stay aligned. Skipped
// where LibreOffice is not installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "document_files.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

const QString kMonospaced = u"LXGW WenKai Mono"_s;

class LibreOfficeExport : public testing::Test {
  protected:
    void SetUp() override {
        office_ = QStandardPaths::findExecutable(u"soffice"_s);
        if (office_.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    }

    // The file converted by Writer into the given format, as text.
    QString Convert(const QString& path, const QString& format) {
        QProcess office;
        office.start(office_, {u"-env:UserInstallation="_s +
                                   QUrl::fromLocalFile(folder_.filePath(u"profile"_s)).toString(),
                               u"--headless"_s, u"--convert-to"_s, format, u"--outdir"_s,
                               folder_.filePath(u"out"_s), path});
        EXPECT_TRUE(office.waitForFinished(120000)) << office.errorString().toStdString();
        QFile converted(folder_.filePath(u"out/annotated."_s + format.section(':', 0, 0)));
        EXPECT_TRUE(converted.open(QIODevice::ReadOnly)) << converted.fileName().toStdString();
        return QString::fromUtf8(converted.readAll());
    }

    QString office_;
    QTemporaryDir folder_;
};

TEST_F(LibreOfficeExport, KeepsTheTextAndTheMonospacedFont) {
    QTextDocument document;
    document.setDefaultFont(QFont(kMonospaced, 12));
    QTextCursor cursor(&document);
    cursor.insertText(u"hàn  yǔ   pīn  yīn\n汉   语   拼   音\n"_s);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontWeight(QFont::Bold);
    cursor.insertText(u"zhōng wén\n中   文"_s, red);
    const QString path = folder_.filePath(u"annotated.rtf"_s);
    ExportFile(document, path);

    const QString text = Convert(path, u"txt:Text (encoded):UTF8,LF,,,"_s);
    EXPECT_EQ(text.trimmed(), document.toPlainText());

    // Every text style Writer made names the monospaced font for Western and Asian text.
    const QString flat = Convert(path, u"fodt"_s);
    const QRegularExpression face(
        uR"re(<style:font-face style:name="([^"]+)" svg:font-family="([^"]+)")re"_s);
    QMap<QString, QString> families;
    for (const auto& match : face.globalMatch(flat))
        families[match.captured(1)] = match.captured(2).remove(u"&apos;"_s);
    const QRegularExpression textStyle(
        uR"re(<style:style style:name="T\d+" style:family="text">\s*<style:text-properties([^>]*)>)re"_s);
    int styles = 0;
    for (const auto& match : textStyle.globalMatch(flat)) {
        ++styles;
        for (const char* attribute : {"style:font-name", "style:font-name-asian"}) {
            const QRegularExpression name(QString::fromLatin1(attribute) + u"=\"([^\"]+)\""_s);
            const QString face = name.match(match.captured(1)).captured(1);
            EXPECT_EQ(families.value(face), kMonospaced)
                << attribute << match.captured(1).toStdString();
        }
    }
    EXPECT_GE(styles, 2);
}

}  // namespace
}  // namespace sorvani::documents
