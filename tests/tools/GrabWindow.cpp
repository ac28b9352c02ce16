// Saves a picture of one window of the X display as PNG:
//     meterwin-grab WINDOW-ID OUTPUT.png   (WINDOW-ID 0: the whole screen)
// The screenshot script finds the window and types into it with xdotool;
// this takes the picture, so that no image tool is needed besides Qt.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: meterwin-grab WINDOW-ID OUTPUT.png\n", stderr);
        return 2;
    }
    bool valid = false;
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&valid, 0);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!valid || !screen) {
        std::fputs("meterwin-grab: no such window or no screen\n", stderr);
        return 1;
    }
    const QPixmap picture = screen->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "meterwin-grab: cannot save %s\n", argv[2]);
        return 1;
    }
    return 0;
}
