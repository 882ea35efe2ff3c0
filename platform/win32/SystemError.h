#pragma once

#include <windows.h>

#include <string>

namespace tovrin {

// The system's own description of a Windows error code, as one sentence.
std::string systemReason(DWORD error);

// Throws PlatformError saying what failed ("The menu could not be created")
// and the system's reason for it.
[[noreturn]] void failWith(const std::string& what, DWORD error);

} // namespace tovrin
