#pragma once

#include <windows.h>

#include <string>

namespace tovrin {

// The system's own description of a Windows error code, as one sentence.
std::string systemReason(DWORD error);

// Throws PlatformError saying that writing path failed, and why.
[[noreturn]] void failWriting(const std::string& path, DWORD error);

} // namespace tovrin
