#pragma once

#include <string>
#include <string_view>

namespace tovrin {

// Makes bytes the whole content of the file at path (UTF-8), or leaves the
// file as it was: the bytes go to a new file in the same folder, which is
// flushed to disk and then put in place of the old one. A replaced file
// keeps its attributes. Throws PlatformError naming the path and the
// system's reason.
void replaceFileAtomically(const std::string& path, std::string_view bytes);

} // namespace tovrin
