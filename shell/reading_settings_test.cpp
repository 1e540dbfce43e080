// The settings file as an unlucky user or another program may leave it: Qt must never read what
// could hang or crash the window's start.
#include "reading_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "settings_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace sorvani::shell {

namespace {

class SettingsFile : public testing::Test {
  protected:
    // A file of the test's own.
    SettingsFile() {
        MoveSettingsFile(home.filePath(QStringLiteral("Sorvani/Sorvani.conf")));
        QDir(home.path()).mkpath(QStringLiteral("Sorvani"));
    }
    ~SettingsFile() override { MoveSettingsFile(QString()); }

    static void Write(const QByteArray& bytes) {
        QFile file(SettingsFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // Loads the options from the file as it stands; true when it was set aside and the user told.
    static bool SetAside(sorvani::ReadingOptions& options) {
        std::optional<QString> told;
        options = LoadReadingOptions(&told);
        if (!told) return false;
        EXPECT_TRUE(told->contains(QDir::toNativeSeparators(SettingsFilePath())))
            << told->toStdString();
        EXPECT_TRUE(QFileInfo::exists(SettingsFilePath() + QStringLiteral(".unreadable")));
        return true;
    }
    static bool IsDefault(const sorvani::ReadingOptions& options) {
        return options.byWord && !options.toneChange;
    }
    QTemporaryDir home;
};

TEST_F(SettingsFile, ASoundFileKeepsTheOptions) {
    sorvani::ReadingOptions options;
    EXPECT_FALSE(SetAside(options));
    EXPECT_TRUE(IsDefault(options));
    SaveReadingOptions({false, true});
    EXPECT_FALSE(SetAside(options));
    EXPECT_FALSE(options.byWord);
    EXPECT_TRUE(options.toneChange);
}

TEST_F(SettingsFile, DeepNestingOrALargeFileIsSetAsideUnread) {
    // 30,000 nested lists in 527 KB overflowed the stack while Qt read them.
    QByteArray nested = "[annotate]\nreadingsByWord=@Variant(";
    for (int level = 0; level < 30000; ++level) nested += QByteArray("\0\0\0\t\0\0\0\0\x01", 9);
    nested += ")\n";
    Write(nested);
    sorvani::ReadingOptions options;
    EXPECT_TRUE(SetAside(options));
    EXPECT_TRUE(IsDefault(options));
    // The new file is written, the one set aside kept as it was.
    SaveReadingOptions({false, false});
    EXPECT_FALSE(SetAside(options));
    EXPECT_FALSE(options.byWord);
    QFile aside(SettingsFilePath() + QStringLiteral(".unreadable"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), nested);

    // A small nested value, and a large file of plain values; a second file set aside keeps
    // the first.
    Write("[annotate]\ntoneChangeOfYiBu=@Variant(\\0\\0\\0\\t\\0\\0\\0\\0)\n");
    EXPECT_TRUE(SetAside(options));
    EXPECT_TRUE(QFileInfo::exists(SettingsFilePath() + QStringLiteral(".unreadable2")));
    Write("[annotate]\nreadingsByWord=false\n" + QByteArray(kLargestSettingsFile, '\n'));
    EXPECT_TRUE(SetAside(options));
    EXPECT_TRUE(IsDefault(options));
}

TEST_F(SettingsFile, GarbageWrongTypesAndHugeValuesGiveTheDefaults) {
    sorvani::ReadingOptions options;
    QByteArray garbage;
    for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    for (const QByteArray& bytes :
         {garbage, QByteArray("[annotate]\nreadingsByWord=banana\ntoneChangeOfYiBu=1e999\n"),
          QByteArray("[annotate]\nreadingsByWord=@ByteArray(false)\ntoneChangeOfYiBu=a, b\n"),
          "[annotate]\nreadingsByWord=" + QByteArray(60000, 'x') + "\n",
          QByteArray("[annotate\nreadingsByWord\n=\n\\\\\\\n[[]]\n\"\n")}) {
        Write(bytes);
        EXPECT_FALSE(SetAside(options));
        EXPECT_TRUE(IsDefault(options)) << bytes.left(60).toStdString();
    }
}

TEST_F(SettingsFile, LayoutChoicesAreKeptAndValuesTheProgramNeverWritesGiveTheDefaults) {
    using sorvani::documents::ReadingChoices;
    EXPECT_EQ(LoadLayoutChoices(), ReadingChoices());
    ReadingChoices chosen;
    chosen.layout = ReadingChoices::Layout::Box;
    chosen.size = ReadingChoices::kLargestSize;
    chosen.capitals = chosen.toneColours = chosen.grid = true;
    SaveLayoutChoices(chosen);
    EXPECT_EQ(LoadLayoutChoices(), chosen);
    chosen.size = ReadingChoices::kSmallestSize;
    SaveLayoutChoices(chosen);
    EXPECT_EQ(LoadLayoutChoices(), chosen);
    for (const QByteArray size : {"9", "37", "-16", "16.5", "1e1", "banana", "99999999999"}) {
        Write("[layout]\nsize=" + size + "\ngrid=maybe\nboxCopy=1\ncapitals=true\n");
        const ReadingChoices loaded = LoadLayoutChoices();
        EXPECT_EQ(loaded.size, ReadingChoices().size) << size.toStdString();
        EXPECT_FALSE(loaded.grid);
        EXPECT_EQ(loaded.layout, ReadingChoices::Layout::Reading);
        EXPECT_TRUE(loaded.capitals);
    }
}

TEST_F(SettingsFile, AFolderOrAPipeIsSetAsideUnread) {
    QDir().mkpath(SettingsFilePath());
    sorvani::ReadingOptions options;
    EXPECT_TRUE(SetAside(options));
    EXPECT_TRUE(IsDefault(options));
#ifndef _WIN32
    QFile::remove(SettingsFilePath() + QStringLiteral(".unreadable"));
    QDir(SettingsFilePath() + QStringLiteral(".unreadable")).removeRecursively();
    // Qt's reader would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(SettingsFilePath()).constData(), 0600), 0);
    EXPECT_TRUE(SetAside(options));
    EXPECT_TRUE(IsDefault(options));
#endif
}

}  // namespace

}  // namespace sorvani::shell
