#pragma once

#include "platform/batchfile/ByteSink.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tovrin {

// The new content of the file at path (UTF-8), written in as many steps as
// needed: it goes to a new file in the same folder, which commit() flushes
// to disk and puts in place of the old one, keeping the old one's
// attributes. Until then the old file stays as it was, and the new one is
// deleted again if the writing is given up. Every step throws PlatformError
// naming the path and the system's reason.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;

private:
    void putInPlace();
    void check(BOOL succeeded) const;
    [[noreturn]] void fail(DWORD error) const;

    const std::string path_;
    const std::wstring target_;
    std::wstring temporaryName_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool placed_ = false;
};

} // namespace tovrin
