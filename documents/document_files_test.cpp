#include "document_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif
#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#endif

#include "document_runs.h"
#include "long_work_cancelled.h"
#include "text_insertion.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;
using inspection::Paragraphs;
using inspection::RunOf;

class DocumentFiles : public testing::Test {
  protected:
    QString Path(const QString& name) const { return folder_.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray Contents(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir folder_;
    QTextDocument document_;
};

TEST_F(DocumentFiles, ImportTellsRtfFromPlainTextByContent) {
    ImportFile(Write("a.txt", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\b bold\\par}"), document_);
    EXPECT_EQ(Paragraphs(document_), QStringList({"bold"}));
    EXPECT_TRUE(RunOf(document_, "bold").bold);

    document_.setDefaultFont(QFont("Courier New", 11));
    ImportFile(Write("b.rtf", "\xE6\xB1\x89\xE8\xAF\xAD\r\n{\\rtf1 x}"), document_);
    EXPECT_EQ(Paragraphs(document_), QStringList({u"汉语"_s, "{\\rtf1 x}"}));
    // Plain text shows in the document's default font.
    EXPECT_EQ(RunOf(document_, u"汉语"_s).family, "Courier New");
    EXPECT_FALSE(RunOf(document_, u"汉语"_s).bold);

    ImportFile(Write("c.txt", "\xBA\xBA\xD3\xEF\r\n\r\nabc"), document_);
    EXPECT_EQ(Paragraphs(document_), QStringList({u"汉语"_s, "", "abc"}));
}

TEST_F(DocumentFiles, ImportReplacesEverythingAndCannotBeUndone) {
    QTextCursor(&document_).insertText("typed");
    ImportFile(Write("first.txt", "first"), document_);
    ImportFile(Write("second.txt", "second"), document_);
    EXPECT_EQ(Paragraphs(document_), QStringList({"second"}));
    EXPECT_FALSE(document_.isUndoAvailable());
    EXPECT_TRUE(document_.isUndoRedoEnabled());
}

TEST_F(DocumentFiles, FailedImportLeavesTheDocumentAndSaysWhy) {
    document_.setPlainText("old");
    const QString picture = Write("picture.txt", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    // Cut short, a file would show its first words as if they were all.
    const QString cut =
        Write("cut.rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 first words\\par more");
    for (const QString& path : {Path("missing.txt"), folder_.path(), picture, cut}) {
        try {
            ImportFile(path, document_);
            ADD_FAILURE() << "no failure for " << path.toStdString();
        } catch (const DocumentError& error) {
            EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(path)))
                << error.what();
        }
        EXPECT_EQ(document_.toPlainText(), "old");
    }
}

TEST_F(DocumentFiles, ATextTooLongForTheBoxIsRefusedAndTheDocumentKept) {
    document_.setPlainText("old");
    const QByteArray longest(kLargestImport, 'a');
    // One character too many, as text and as RTF; and a file too large to be decoded at all.
    QFile huge(Path("huge.txt"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(3 * kLargestImport + 3));
    huge.close();
    for (const QString& path : {Write("long.txt", longest + 'b'),
                                Write("long.rtf", "{\\rtf1 " + longest + "b}"), huge.fileName()}) {
        try {
            ImportFile(path, document_);
            ADD_FAILURE() << "no failure for " << path.toStdString();
        } catch (const DocumentError& error) {
            EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(path)))
                << error.what();
            EXPECT_TRUE(error.description().contains(u"文件太大"_s)) << error.what();
        }
        EXPECT_EQ(document_.toPlainText(), "old");
    }
    // At the limit the text is taken.
    ImportFile(Write("longest.txt", longest), document_);
    EXPECT_EQ(document_.characterCount(), kLargestImport + 1);
}

TEST_F(DocumentFiles, ExportReplacesAnExistingFileAndAddsNoExtension) {
    const QString path = Write("annotated", "previous content");
    document_.setPlainText(u"汉语\npinyin"_s);
    ExportFile(document_, path);
    EXPECT_FALSE(QFile::exists(path + ".rtf"));
    EXPECT_TRUE(Contents(path).startsWith("{\\rtf1"));
    QTextDocument readBack;
    ImportFile(path, readBack);
    EXPECT_EQ(Paragraphs(readBack), QStringList({u"汉语"_s, "pinyin"}));
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList({"annotated"}));
}

TEST_F(DocumentFiles, ExportOfAnEmptyDocumentReadsBackEmpty) {
    ExportFile(document_, Path("empty.rtf"));
    QTextDocument readBack;
    readBack.setPlainText("old");
    ImportFile(Path("empty.rtf"), readBack);
    EXPECT_EQ(readBack.toPlainText(), QString());
}

TEST_F(DocumentFiles, FailedExportSaysWhyAndLeavesWhatWasThere) {
    const QString missingFolder = Path("no such folder/out.rtf");
    EXPECT_THROW(ExportFile(document_, missingFolder), DocumentError);
    try {
        ExportFile(document_, folder_.path());
        ADD_FAILURE() << "a folder was overwritten";
    } catch (const DocumentError& error) {
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(folder_.path())))
            << error.what();
    }
    EXPECT_TRUE(QFileInfo(folder_.path()).isDir());
}

#ifdef Q_OS_UNIX
// A file size limit makes every write past it fail, as a full disk does, even for root.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

TEST_F(DocumentFiles, ExportOnAFullDiskLeavesTheOldFile) {
    const QString existing = Write("old.rtf", "the old export");
    document_.setPlainText(QString(u'中').repeated(5000));
    {
        FileSizeLimit full(4096);
        EXPECT_THROW(ExportFile(document_, existing), DocumentError);
    }
    EXPECT_EQ(Contents(existing), "the old export");
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList({"old.rtf"}));
}

// The export does what sorvani-annotate --output does: a link keeps naming the file it names,
// which gets the export, and a replaced file keeps its permissions.
TEST_F(DocumentFiles, ExportWritesThroughALinkAndKeepsPermissions) {
    const QString target = Write("private.rtf", "old");
    ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(target, Path("link.rtf")));
    document_.setPlainText(u"汉语"_s);
    ExportFile(document_, Path("link.rtf"));
    EXPECT_TRUE(QFileInfo(Path("link.rtf")).isSymLink());
    EXPECT_TRUE(Contents(target).startsWith("{\\rtf1"));
    struct stat status = {};
    ASSERT_EQ(stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::System),
              QStringList({"link.rtf", "private.rtf"}));
}
#endif

TEST_F(DocumentFiles, AStoppedImportOrExportEndsAndLeavesTheFileAlone) {
    std::stop_source stop;
    stop.request_stop();
    for (const QByteArray& bytes : {QByteArray("plain"), QByteArray("{\\rtf1 rich}")}) {
        EXPECT_THROW(ImportFile(Write("in", bytes), document_, stop.get_token()),
                     LongWorkCancelled);
    }
    const QString existing = Write("old.rtf", "the old export");
    document_.setPlainText("new");
    EXPECT_THROW(ExportFile(DocumentSourceOf(document_), existing, stop.get_token()),
                 LongWorkCancelled);
    EXPECT_EQ(Contents(existing), "the old export");
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList({"in", "old.rtf"}));
}

// An annotated document long enough for an export to tell its progress several times.
DocumentSource LongAnnotation() {
    QTextDocument document;
    document.setPlainText(u"Zhōng Wén \n中    文   \n"_s.repeated(2'000));
    return DocumentSourceOf(document);
}

// Each export: the format, and the page for a PDF (reading material or the box's columns).
struct ExportCase {
    const char* name;
    DocumentFormat format;
    ReadingChoices::Layout layout;
};
constexpr ExportCase kEveryExport[] = {
    {"RTF", DocumentFormat::Rtf, ReadingChoices::Layout::Reading},
    {"reading PDF", DocumentFormat::Pdf, ReadingChoices::Layout::Reading},
    {"box PDF", DocumentFormat::Pdf, ReadingChoices::Layout::Box},
    {"reading web page", DocumentFormat::Html, ReadingChoices::Layout::Reading},
    {"box web page", DocumentFormat::Html, ReadingChoices::Layout::Box},
};

PrintedPage PageOf(const ExportCase& export_) {
    PrintedPage page;
    page.choices.layout = export_.layout;
    return page;
}

TEST(ExportProgress, EveryFormatTellsItsProgressAsItWritesAndWritesTheSameBytes) {
    const DocumentSource source = LongAnnotation();
    for (const ExportCase& export_ : kEveryExport) {
        SCOPED_TRACE(export_.name);
        std::vector<std::pair<qint64, qint64>> told;
        const QByteArray bytes = ExportedBytes(source, export_.format, PageOf(export_),
                                               [&told](qint64 written, qint64 total) {
                                                   told.push_back({written, total});
                                               });
        const QByteArray untold = ExportedBytes(source, export_.format, PageOf(export_));
        // A PDF carries the time it was made.
        if (export_.format == DocumentFormat::Pdf) {
            EXPECT_EQ(bytes.size(), untold.size());
        } else {
            EXPECT_EQ(bytes, untold);
        }
        ASSERT_GT(told.size(), 2u);
        for (size_t i = 0; i < told.size(); ++i) {
            EXPECT_EQ(told[i].second, told[0].second);
            EXPECT_LE(told[i].first, told[i].second);
            if (i > 0) {
                EXPECT_GT(told[i].first, told[i - 1].first);
            }
        }
        // Told up to the end, not only at the start.
        EXPECT_GE(told.back().first, told.back().second - ProgressCount::kMostStep);
    }
}

TEST_F(DocumentFiles, AStopWhileAnExportWritesEndsItThereAndLeavesTheFileAlone) {
    const DocumentSource source = LongAnnotation();
    for (const QString& name : {u"old.rtf"_s, u"old.pdf"_s, u"old.html"_s}) {
        SCOPED_TRACE(name.toStdString());
        const QString existing = Write(name, "the old export");
        std::stop_source stop;
        int toldAfterStop = 0;
        const auto stopAtFirst = [&](qint64, qint64) {
            if (stop.stop_requested()) ++toldAfterStop;
            stop.request_stop();
        };
        EXPECT_THROW(ExportFile(source, existing, stop.get_token(), {}, stopAtFirst),
                     LongWorkCancelled);
        // The writer went no further than the next check.
        EXPECT_EQ(toldAfterStop, 0);
        EXPECT_EQ(Contents(existing), "the old export");
        EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        QFile::remove(existing);
    }
    // A throw from the progress ends the box layout's PDF too, which no file name chooses.
    int told = 0;
    EXPECT_THROW(ExportedBytes(source, DocumentFormat::Pdf, PageOf(kEveryExport[2]),
                               [&told](qint64, qint64) {
                                   ++told;
                                   throw LongWorkCancelled();
                               }),
                 LongWorkCancelled);
    EXPECT_EQ(told, 1);
}

TEST(FillPlainText, TakesALongTextInPiecesWithoutSplittingALineBreak) {
    // The pieces are 65536 units long: this CR LF straddles the first border.
    const QString text = QString(65535, u'a') + u"\r\nb\r\n"_s + QString(200'000, u'c');
    QTextDocument document;
    FillPlainText(text, document);
    EXPECT_EQ(document.blockCount(), 3);
    EXPECT_EQ(document.toPlainText(), QString(text).replace(u"\r\n"_s, u"\n"_s));
    EXPECT_FALSE(document.isUndoAvailable());
}

#ifdef Q_OS_LINUX
// A full disk, made for this process alone: a small memory file system in a mount namespace of
// its own, filled to its last byte. Needs the right to mount (root); skipped without it.
struct FullDiskCase {
    const char* name;
    QString fileName;
    qsizetype characters;  // a few hundred bytes stay in the writer's buffer; 50,000 pass it
    bool replacing;
    friend void PrintTo(const FullDiskCase& c, std::ostream* out) { *out << c.name; }
};

class ExportToAFullDisk : public DocumentFiles, public testing::WithParamInterface<FullDiskCase> {
  protected:
    void SetUp() override {
        disk_ = Path("disk");
        ASSERT_TRUE(QDir().mkpath(disk_));
        const QByteArray mountPoint = QFile::encodeName(disk_);
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "no right to mount a file system (needs root)";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) umount(QFile::encodeName(disk_).constData());
    }

    // Takes every byte the disk has left.
    void Fill() const {
        QFile filler(disk_ + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

    QString disk_;
    bool mounted_ = false;
};

TEST_P(ExportToAFullDisk, SaysWhyAndLeavesWhatWasThere) {
    const FullDiskCase& c = GetParam();
    const QString target = disk_ + "/" + c.fileName;
    if (c.replacing) Write("disk/" + c.fileName, "the old export");
    Fill();
    document_.setPlainText(QString(u'中').repeated(c.characters));
    try {
        ExportFile(document_, target);
        ADD_FAILURE() << "a full disk took the export";
    } catch (const DocumentError& error) {
        EXPECT_TRUE(error.description().contains("No space left on device")) << error.what();
    }
    EXPECT_EQ(Contents(target), c.replacing ? QByteArray("the old export") : "(missing)");
    QStringList expected{"filler"};
    if (c.replacing) expected << c.fileName;
    expected.sort();
    EXPECT_EQ(QDir(disk_).entryList(QDir::Files | QDir::Hidden), expected);
}

INSTANTIATE_TEST_SUITE_P(
    EachFormatAndSize, ExportToAFullDisk,
    testing::Values(FullDiskCase{"SmallNewRtf", "new.rtf", 10, false},
                    FullDiskCase{"SmallRtfOverAFile", "old.rtf", 10, true},
                    FullDiskCase{"LargeNewRtf", "new.rtf", 50'000, false},
                    FullDiskCase{"LargeRtfOverAFile", "old.rtf", 50'000, true},
                    FullDiskCase{"SmallNewPdf", "new.pdf", 10, false},
                    FullDiskCase{"SmallPdfOverAFile", "old.pdf", 10, true},
                    FullDiskCase{"LargeNewPdf", "new.pdf", 50'000, false},
                    FullDiskCase{"LargePdfOverAFile", "old.pdf", 50'000, true},
                    FullDiskCase{"SmallNewHtml", "new.html", 10, false},
                    FullDiskCase{"SmallHtmlOverAFile", "old.html", 10, true},
                    FullDiskCase{"LargeNewHtml", "new.html", 50'000, false},
                    FullDiskCase{"LargeHtmlOverAFile", "old.html", 50'000, true},
                    FullDiskCase{"SmallNewDocx", "new.docx", 10, false},
                    FullDiskCase{"LargeDocxOverAFile", "old.docx", 50'000, true}),
    [](const testing::TestParamInfo<FullDiskCase>& info) { return info.param.name; });
#endif

TEST(CrLfText, LinesAreSeparatedByCrLf) {
    QTextDocument document;
    document.setPlainText(u"汉语\n\npin\u2028yin"_s);
    EXPECT_EQ(CrLfText(document), u"汉语\r\n\r\npin\r\nyin"_s);
    // A raw text, such as an RTF file's, reads as the document it would fill.
    const QString raw = u"a\r\nb\rc\u2029d\uFDD0e\u00A0f\r"_s;
    document.setPlainText(raw);
    EXPECT_EQ(CrLfText(raw), CrLfText(document));
    EXPECT_EQ(CrLfText(raw), u"a\r\nb\r\nc\r\nd\r\ne f\r\n"_s);
}

}  // namespace
}  // namespace sorvani::documents
