#include "artwork.h"

// The resources live in a static library: they must be registered before their first use, and
// from outside any namespace, as Q_INIT_RESOURCE declares its function where it is used.
static void RegisterArtwork() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(artwork);
        return true;
    }();
    (void)registered;
}

namespace sorvani::shell {

QImage SkinPicture() {
    RegisterArtwork();
    return QImage(QStringLiteral(":/artwork/skin.png"));
}

QPixmap StatePicture(const QString& name) {
    RegisterArtwork();
    return QPixmap(QStringLiteral(":/artwork/%1.png").arg(name));
}

QIcon ApplicationIcon() {
    RegisterArtwork();
    QIcon icon;
    icon.addFile(QStringLiteral(":/artwork/icon16.png"));
    icon.addFile(QStringLiteral(":/artwork/icon32.png"));
    return icon;
}

}  // namespace sorvani::shell
