// Saves a rectangle of the screen, centred on it, as a PNG file; the README's screenshot is
// taken with it on a virtual display.
//
//   grab-screen <file.png> <width> <height>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <iostream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: grab-screen <file.png> <width> <height>\n";
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size(std::atoi(argv[2]), std::atoi(argv[3]));
    const QRect area(screen->geometry().center() - QPoint(size.width() / 2, size.height() / 2),
                     size);
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
