#pragma once

#include "platform/posix/FileSystem.h"

#include <string>
#include <string_view>

namespace tovrin {

// Makes bytes the whole content of the file at path, or leaves the file as
// it was: the bytes go to a new file in the same folder, which is synced and
// then renamed over the old one. A replaced file keeps its permission bits;
// a new one gets those the umask allows. Throws PlatformError naming the
// path and the system's reason.
void replaceFileAtomically(const std::string& path, std::string_view bytes, FileSystem& fileSystem);

} // namespace tovrin
