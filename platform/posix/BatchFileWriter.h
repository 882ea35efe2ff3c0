#pragma once

#include "platform/TextInPieces.h"
#include "platform/posix/FileSystem.h"

#include <string>

namespace tovrin {

// Writes a text as a batch file, each piece converted to Windows-1252 and
// written as it comes; the old file is replaced only once all of it is on
// disk. A character the code page cannot hold leaves the old file as it
// was. Throws PlatformError.
void writeBatchFile(const std::string& path, const TextInPieces& text, FileSystem& fileSystem);

} // namespace tovrin
