// Writes the program's pictures for the installation: the logo of the help
// page and the desktop icon. Run by the build.
#include "app/LogoArt.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: meterwin-art LOGO.png ICON.png\n", stderr);
        return 2;
    }
    if (!DrawLogo(96).save(QString::fromLocal8Bit(argv[1])) ||
        !DrawLogo(256).save(QString::fromLocal8Bit(argv[2]))) {
        std::fputs("meterwin-art: cannot write the pictures\n", stderr);
        return 1;
    }
    return 0;
}
