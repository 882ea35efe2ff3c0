#pragma once

#include "batchfile/ByteSink.h"
#include "platform/win32/FileSystem.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tovrin {

// The new content of the file at path (UTF-8), written in as many steps as
// needed: it goes to a new file in the same folder as the file it replaces,
// which commit() flushes to disk and puts in its place. Until then the old
// file stays as it was, and the new one is deleted again if the writing is
// given up.
//
// The file keeps what makes it the user's file: a symbolic link or junction
// is followed and stays as it was (a link to no file creates that file),
// and a replaced file keeps its attributes, hidden and system included. A
// read-only file is refused.
//
// Every step throws PlatformError naming the path and the system's reason.
// Where the old file is gone and the new text could not take its name, the
// temporary file holding the whole new text is kept and the message names
// it.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(const std::string& path);
    AtomicFile(const std::string& path, FileSystem& fileSystem);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;

private:
    void findTarget();
    void createTemporary(DWORD attributes);
    void putInPlace();
    void check(BOOL succeeded);
    [[noreturn]] void fail(DWORD error);
    [[noreturn]] void giveUp(std::string reason);
    std::string removeWhatWasMade();

    const std::string path_;
    FileSystem& fileSystem_;
    // The file the name leads to, every link followed, in the system's
    // \\?\ form, which holds paths of any length.
    std::wstring target_;
    std::wstring temporaryName_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool targetCreated_ = false;
    bool temporaryGone_ = true;
};

} // namespace tovrin
