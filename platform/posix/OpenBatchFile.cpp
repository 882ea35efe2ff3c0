#include "platform/posix/AtomicFile.h"

namespace tovrin {

std::unique_ptr<ByteSink> openBatchFile(const std::string& path) {
    return std::make_unique<AtomicFile>(path);
}

} // namespace tovrin
