// Writes one size of the program's icon as a PNG file, so that the icons
// installed for the desktop come from the same pixels as the window's own.

#include "platform/qt/ProgramIcon.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE OUTPUT.png\n", argv[0]);
        return 2;
    }
    try {
        const QImage image = tovrin::toQImage(tovrin::iconImage(std::stoi(argv[1])));
        if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
