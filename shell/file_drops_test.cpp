#include "file_drops.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "frmmain.h"
#include "recording_prompts.h"

namespace sorvani::shell {

namespace {

class FileDrop : public testing::Test {
  protected:
    FileDrop() {
        auto recording = std::make_unique<RecordingPrompts>();
        prompts = recording.get();
        window = std::make_unique<frmmain>(dictionary, std::move(recording));
        window->show();
        QApplication::processEvents();
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // Drags the data over the widget and drops it there, as the window system delivers it;
    // true when the drop was taken.
    static bool Drop(QWidget& on, const QMimeData& data) {
        const QPoint at = on.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&on, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&on, &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    }

    static std::unique_ptr<QMimeData> Files(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        data->setText(urls.constFirst().toString());
        return data;
    }

    sorvani::PinyinDictionary dictionary;
    RecordingPrompts* prompts;
    std::unique_ptr<frmmain> window;
    QTemporaryDir folder;
};

TEST_F(FileDrop, ATextOrRtfFileDroppedOnTheBoxOrTheWindowIsImported) {
    const QString text = Write("lesson.txt", "课文");
    EXPECT_TRUE(Drop(*window->Wj->viewport(), *Files({text})));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("课文"));
    EXPECT_EQ(window->Frame2->Caption(), QDir::toNativeSeparators(text));

    const QString rich = Write("lesson.RTF", "{\\rtf1 \\u27721?\\u35821?}");
    EXPECT_TRUE(Drop(*window->LoadFile, *Files({rich})));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("汉语"));
    EXPECT_EQ(window->Frame2->Caption(), QDir::toNativeSeparators(rich));
    EXPECT_TRUE(prompts->shown.isEmpty());
}

TEST_F(FileDrop, AFileThatCannotBeImportedSaysWhyAndKeepsTheDocument) {
    window->Wj->setPlainText(QStringLiteral("my text"));
    EXPECT_TRUE(Drop(*window->Wj->viewport(),
                     *Files({Write("binary.txt", QByteArray::fromHex("0102000304ff00"))})));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("my text"));
    EXPECT_EQ(window->Frame2->Caption(), QStringLiteral("文件内容"));
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_TRUE(prompts->shown[0].contains(QStringLiteral("binary.txt")));
}

TEST_F(FileDrop, OtherFilesAreRefusedAndTextIsInsertedAsText) {
    window->Wj->setPlainText(QStringLiteral("my text"));
    EXPECT_FALSE(Drop(*window->Wj->viewport(), *Files({Write("lesson.docx", "PK")})));
    EXPECT_FALSE(Drop(*window->Wj->viewport(), *Files({Write("a.txt", "a"), Write("b.txt", "b")})));
    EXPECT_EQ(window->Wj->toPlainText(), QStringLiteral("my text"));

    QMimeData words;
    words.setText(QStringLiteral("拼音"));
    EXPECT_TRUE(Drop(*window->Wj->viewport(), words));
    EXPECT_TRUE(window->Wj->toPlainText().contains(QStringLiteral("拼音")));
    EXPECT_TRUE(window->Wj->toPlainText().contains(QStringLiteral("my text")));
    EXPECT_TRUE(prompts->shown.isEmpty());
}

}  // namespace

}  // namespace sorvani::shell
