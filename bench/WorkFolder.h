#pragma once

#include <string>

namespace tovrin::bench {

// A new folder under the current one, removed with all it holds at the end.
// The current folder, not /tmp, which may live in memory and would make
// syncing a file cost nothing.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace tovrin::bench
