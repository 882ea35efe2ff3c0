#include "batchfile/WriteBehind.h"

namespace tovrin {

namespace {

// Starting the thread and waking it for each block cost more than they
// save on the first megabytes: a text that short is written by the caller.
constexpr std::size_t WrittenAloneUpTo = 1024 * 1024;

} // namespace

WriteBehind::WriteBehind(ByteSink& file) : file_(file) {}

WriteBehind::~WriteBehind() {
    if (!writer_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

void WriteBehind::write(std::string_view block) {
    if (!writer_.joinable()) {
        if (writtenAlone_ < WrittenAloneUpTo) {
            file_.write(block);
            writtenAlone_ += block.size();
            return;
        }
        writer_ = std::thread([this] { writeEachBlock(); });
    }
    std::unique_lock lock(mutex_);
    waitForTheWriter(lock);
    waiting_ = block;
    handedOver_ = true;
    lock.unlock();
    changed_.notify_all();
}

void WriteBehind::finish() {
    if (!writer_.joinable())
        return;
    std::unique_lock lock(mutex_);
    waitForTheWriter(lock);
}

void WriteBehind::waitForTheWriter(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !handedOver_ || failure_; });
    if (failure_)
        std::rethrow_exception(failure_);
}

void WriteBehind::writeEachBlock() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return handedOver_ || stopping_; });
        if (stopping_)
            return;
        const std::string_view block = waiting_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            file_.write(block);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        handedOver_ = false;
        changed_.notify_all();
    }
}

} // namespace tovrin
