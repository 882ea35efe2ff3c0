#include "platform/posix/BatchFileWriter.h"

#include "platform/PlatformError.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/Windows1252.h"

#include <cstdio>

namespace tovrin {

namespace {

std::string describe(const UnencodableCharacter& failure) {
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(failure.character));
    return std::string("the character ") + codePoint + " on line " + std::to_string(failure.line) +
           ", column " + std::to_string(failure.column) +
           " has no place in the Windows-1252 code page. Nothing was written.";
}

} // namespace

void writeBatchFile(const std::string& path, std::string_view text, FileSystem& fileSystem) {
    std::string bytes;
    if (const auto failure = encodeWindows1252(text, bytes))
        throw PlatformError("Could not write \"" + path + "\": " + describe(*failure));
    replaceFileAtomically(path, bytes, fileSystem);
}

} // namespace tovrin
