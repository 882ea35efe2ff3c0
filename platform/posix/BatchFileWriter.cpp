#include "platform/posix/BatchFileWriter.h"

#include "platform/PlatformError.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/Windows1252.h"

namespace tovrin {

void writeBatchFile(const std::string& path, const TextInPieces& text, FileSystem& fileSystem) {
    AtomicFile file(path, fileSystem);
    Windows1252Encoder encoder;
    std::string bytes;
    text([&](std::u16string_view piece) {
        bytes.clear();
        if (const auto failure = encoder.encode(piece, bytes))
            throw PlatformError("Could not write \"" + path + "\": " + describe(*failure, "Windows-1252"));
        file.write(bytes);
    });
    file.commit();
}

} // namespace tovrin
