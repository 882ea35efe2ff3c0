#pragma once

#include <windows.h>

#include <string>

namespace tovrin {

// The system's own description of a Windows error code, as one sentence.
std::string systemReason(DWORD error);

} // namespace tovrin
