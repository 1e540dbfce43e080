#include "file_drops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace sorvani::shell {

namespace {

// True when the drop carries local files, then the one file to import in path (empty when the
// drop holds other files or more than one).
bool CarriesFiles(const QMimeData& data, QString& path) {
    path.clear();
    if (!data.hasUrls()) return false;
    const QList<QUrl> urls = data.urls();
    if (!std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        return false;
    if (urls.size() != 1) return true;
    const QString file = urls.constFirst().toLocalFile();
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QStringLiteral("txt") || suffix == QStringLiteral("rtf")) path = file;
    return true;
}

}  // namespace

FileDrops::FileDrops(QObject* parent, std::function<void(const QString&)> import)
    : QObject(parent), import_(std::move(import)) {}

void FileDrops::Watch(QObject& widget) { widget.installEventFilter(this); }

bool FileDrops::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto& drop = static_cast<QDropEvent&>(*event);
    QString path;
    if (!drop.mimeData() || !CarriesFiles(*drop.mimeData(), path)) return false;
    if (path.isEmpty()) {
        drop.ignore();
        return true;
    }
    // A copy: the file stays where it is.
    drop.setDropAction(Qt::CopyAction);
    drop.accept();
    if (type == QEvent::Drop) QTimer::singleShot(0, this, [this, path] { import_(path); });
    return true;
}

}  // namespace sorvani::shell
