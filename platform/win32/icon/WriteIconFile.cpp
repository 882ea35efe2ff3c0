#include "platform/win32/icon/IconFile.h"

#include <cstdio>
#include <fstream>

// Writes the program's icon, in both sizes, to the .ico file named on the
// command line; the resource compiler takes it from there.
int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ICON-FILE\n", argv[0]);
        return 2;
    }
    const std::string bytes =
        tovrin::iconFile({tovrin::iconImage(tovrin::LargeIconSize), tovrin::iconImage(tovrin::SmallIconSize)});
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
