#include "user_word_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include "document_error.h"
#include "document_files.h"
#include "settings_file.h"

namespace sorvani::shell {

namespace {

// A word list of a school is kilobytes; more is the wrong file.
constexpr qint64 kLargestList = 16 << 20;

const QByteArray kHeader = QStringLiteral(
                               "# Sorvani 自定义读音：每行一个词，后面是一个制表符（Tab）和这个词的"
                               "音节，音节之间用空格分开。\n"
                               "# 音节可以带声调符号（shàn），也可以在后面写声调的数字（shan4；"
                               "轻声写 5 或不写）。词要有两个或更多汉字。\n"
                               "# 以 # 开头的行是说明，注音时不读。例如：\n"
                               "# 单老师\tshan4 lao3 shi1\n")
                               .toUtf8();

QString Failure(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1“%2”：%3").arg(what, QDir::toNativeSeparators(path), reason);
}

// The list's bytes; nothing with `failure` set when they cannot be read.
std::optional<QByteArray> ReadList(const QString& path, std::optional<QString>& failure) {
    const QFileInfo info(path);
    // Only a regular file surely ends: a pipe waits for its writer.
    if (!info.isFile()) {
        failure = Failure(QStringLiteral("无法读取自定义读音文件"), path,
                          QStringLiteral("它不是普通文件"));
        return std::nullopt;
    }
    if (info.size() > kLargestList) {
        failure = Failure(QStringLiteral("无法读取自定义读音文件"), path, QStringLiteral("它太大"));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failure = Failure(QStringLiteral("无法读取自定义读音文件"), path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

// The word a line of the list gives syllables to; empty for a comment or a blank line.
QString WordOfLine(const QByteArray& line) {
    QString text = QString::fromUtf8(line);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    if (text.trimmed().startsWith(u'#')) return QString();
    return text.section(u'\t', 0, 0).trimmed();
}

std::optional<QString> WriteList(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Failure(QStringLiteral("无法写入自定义读音文件"), path,
                       QStringLiteral("无法建立它的文件夹"));
    try {
        sorvani::documents::ReplaceFile(path, bytes);
    } catch (const sorvani::documents::DocumentError& error) {
        return error.description();
    }
    return std::nullopt;
}

}  // namespace

QString UserWordListPath() {
    return QFileInfo(SettingsFilePath()).absolutePath() + QStringLiteral("/user-words.txt");
}

UserWordList ReadUserWordList(const QString& path) {
    UserWordList list;
    if (!QFileInfo::exists(path)) return list;
    const auto bytes = ReadList(path, list.failure);
    if (!bytes) return list;
    sorvani::UserWords parsed =
        sorvani::ParseUserWords(std::string_view(bytes->constData(), bytes->size()));
    list.words = std::move(parsed.words);
    for (const auto& problem : parsed.problems) list.badLines.push_back(problem.line);
    return list;
}

std::optional<QString> CreateUserWordList(const QString& path) {
    if (QFileInfo::exists(path)) return std::nullopt;
    return WriteList(path, kHeader);
}

std::optional<QString> PutUserWord(const QString& path, const QString& word,
                                   const QString& syllables) {
    QByteArray old = kHeader;
    if (QFileInfo::exists(path)) {
        std::optional<QString> failure;
        const auto bytes = ReadList(path, failure);
        if (!bytes) return failure;
        old = *bytes;
    }
    // The last piece is what follows the last line break: empty when the list ends with one.
    QList<QByteArray> lines = old.split('\n');
    const QByteArray line = (word + u'\t' + syllables).toUtf8();
    bool placed = false;
    for (auto at = lines.begin(); at != lines.end();) {
        if (WordOfLine(*at) != word) {
            ++at;
        } else if (placed) {
            at = lines.erase(at);
        } else {
            *at = line + (at->endsWith('\r') ? "\r" : "");
            placed = true;
            ++at;
        }
    }
    if (!placed) {
        if (!lines.constLast().isEmpty()) lines.append(QByteArray());
        lines.insert(lines.size() - 1, line + (old.contains("\r\n") ? "\r" : ""));
    }
    return WriteList(path, lines.join('\n'));
}

}  // namespace sorvani::shell
