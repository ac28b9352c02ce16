// Writes the program's pictures for the installation: the logo of the help
// page and the desktop icons. Run by the build.
//     meterwin-art SIZE FILE.png [SIZE FILE.png]...
#include "app/LogoArt.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: meterwin-art SIZE FILE.png [SIZE FILE.png]...\n", stderr);
        return 2;
    }
    for (int i = 1; i < argc; i += 2) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0 || !DrawLogo(size).save(QString::fromLocal8Bit(argv[i + 1]))) {
            std::fprintf(stderr, "meterwin-art: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
