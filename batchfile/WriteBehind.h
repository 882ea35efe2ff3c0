#pragma once

#include "batchfile/ByteSink.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>

namespace tovrin {

// Writes a batch file's blocks on a thread of its own while the caller
// converts what follows, so that converting and the system's copying and
// writing back overlap; the first megabyte is written by the caller. A
// block is written from where it lies, not copied: the caller fills another
// meanwhile. A failure of the file reaches the caller at its next write or
// at finish().
class WriteBehind {
public:
    explicit WriteBehind(ByteSink& file);
    // Waits for the write under way; nothing more is written.
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // Returns once the block before is written; block must stay as it is
    // until the next call returns.
    void write(std::string_view block);
    // Returns once every block is written.
    void finish();

private:
    void waitForTheWriter(std::unique_lock<std::mutex>& lock);
    void writeEachBlock();

    ByteSink& file_;
    std::size_t writtenAlone_ = 0;  // by the caller, before the thread started
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string_view waiting_;  // handed over, not yet written
    bool handedOver_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread writer_;  // started once the caller has written enough alone
};

} // namespace tovrin
