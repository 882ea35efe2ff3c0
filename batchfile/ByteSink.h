#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tovrin {

// Where a batch file's bytes go: written as they come, then committed as the
// file's whole new content. Given up before commit(), it leaves no trace and
// the old file as it was. Each step throws PlatformError. The writes may
// come from another thread than commit(), never two at once.
class ByteSink {
public:
    virtual ~ByteSink() = default;

    virtual void write(std::string_view bytes) = 0;
    virtual void commit() = 0;
};

// Each platform provides this, as it provides its code page: the file at
// path (UTF-8) that a batch file replaces once committed.
std::unique_ptr<ByteSink> openBatchFile(const std::string& path);

} // namespace tovrin
