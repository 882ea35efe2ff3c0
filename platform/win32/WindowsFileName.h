#pragma once

#include <string>

namespace tovrin {

// Refuses, before anything is written, a path (UTF-8) that Windows would
// not write under the name the user sees: one holding a character Windows
// forbids in names (< > : " | ? *, a colon only after a drive letter), a
// part ending in a dot or a space (which Windows drops, so that another
// file would be written; "." and ".." aside), or one too long for the system. The message
// names the character, the part or the length.
void checkWindowsFileName(const std::string& path);

} // namespace tovrin
