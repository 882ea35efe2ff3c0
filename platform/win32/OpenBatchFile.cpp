#include "platform/win32/AtomicFile.h"
#include "platform/win32/WindowsFileName.h"

namespace tovrin {

std::unique_ptr<ByteSink> openBatchFile(const std::string& path) {
    checkWindowsFileName(path);
    return std::make_unique<AtomicFile>(path);
}

} // namespace tovrin
