#include "platform/win32/BatchFileWriter.h"

#include "platform/PlatformError.h"
#include "platform/win32/AnsiCodePage.h"
#include "platform/win32/ReplaceFile.h"

namespace tovrin {

void writeBatchFile(const std::string& path, std::string_view text) {
    std::string bytes;
    if (const auto failure = encodeAnsi(text, bytes))
        throw PlatformError("Could not write \"" + path + "\": " + describe(*failure, ansiCodePageName()));
    replaceFileAtomically(path, bytes);
}

} // namespace tovrin
