// Draws the program's artwork: the window skin, the caption-button state pictures and the
// application icon, as PNG files into the given folder (the repository's resources/).
//
//   draw-artwork resources
#include <QDir>
#include <QGuiApplication>
#include <iostream>

#include "artwork_drawing.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: draw-artwork <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    std::vector<NamedImage> images{{"skin.png", DrawSkin()}};
    for (auto group : {DrawCaptionButtons(), DrawIcons()})
        images.insert(images.end(), group.begin(), group.end());
    for (const NamedImage& named : images) {
        const QString path = folder.filePath(named.fileName);
        if (!named.image.save(path, "PNG")) {
            std::cerr << "cannot write " << path.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
