#pragma once

#include "platform/posix/FileSystem.h"

#include <string>
#include <string_view>

namespace tovrin {

// Writes UTF-8 text as a batch file: Windows-1252, CR LF line breaks, the
// old file replaced atomically. A character the code page cannot hold stops
// it before anything is touched. Throws PlatformError.
void writeBatchFile(const std::string& path, std::string_view text, FileSystem& fileSystem);

} // namespace tovrin
