#pragma once

#include <string>
#include <string_view>

namespace tovrin {

// Writes UTF-8 text as a batch file: the system's ANSI code page, CR LF line
// breaks, the old file replaced atomically. A character the code page cannot
// hold stops it before anything is touched. Throws PlatformError.
void writeBatchFile(const std::string& path, std::string_view text);

} // namespace tovrin
