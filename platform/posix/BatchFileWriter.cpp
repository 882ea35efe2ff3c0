#include "platform/posix/BatchFileWriter.h"

#include "platform/PlatformError.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/Windows1252.h"

namespace tovrin {

void writeBatchFile(const std::string& path, std::string_view text, FileSystem& fileSystem) {
    std::string bytes;
    if (const auto failure = encodeWindows1252(text, bytes))
        throw PlatformError("Could not write \"" + path + "\": " + describe(*failure, "Windows-1252"));
    replaceFileAtomically(path, bytes, fileSystem);
}

} // namespace tovrin
