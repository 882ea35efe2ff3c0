#include "platform/win32/ReplaceFile.h"

#include "platform/PlatformError.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

#include <algorithm>

namespace tovrin {

namespace {

std::wstring folderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return L".";
    return path.substr(0, separator + 1 == path.size() ? separator + 1 : separator);
}

// The temporary file: deleted again unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& targetPath, const std::wstring& target) : targetPath_(targetPath) {
        // A short name of its own, so that a target name near the length
        // limit still leaves room for it.
        const std::wstring prefix = folderOf(target) + L"\\~tovrin-" + std::to_wstring(GetCurrentProcessId()) + L"-";
        for (unsigned attempt = 0;; ++attempt) {
            name_ = prefix + std::to_wstring(attempt) + L".tmp";
            handle_ = CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle_ != INVALID_HANDLE_VALUE)
                return;
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                failWriting(targetPath_, error);
        }
    }

    ~TemporaryFile() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        if (!placed_)
            DeleteFileW(name_.c_str());
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            check(WriteFile(handle_, bytes.data(), chunk, &written, nullptr));
            bytes.remove_prefix(written);
        }
    }

    void flushAndClose() {
        check(FlushFileBuffers(handle_));
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        check(CloseHandle(handle));
    }

    void putInPlaceOf(const std::wstring& target) {
        if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
            replace(target);
        else
            check(MoveFileExW(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
        placed_ = true;
    }

private:
    // The old file's attributes and security carry over to the new content.
    void replace(const std::wstring& target) {
        if (ReplaceFileW(target.c_str(), name_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return;
        const DWORD error = GetLastError();
        // The old file is already gone while the new one still has its
        // temporary name: put it in place rather than lose both.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            check(MoveFileExW(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
            return;
        }
        failWriting(targetPath_, error);
    }

    void check(BOOL succeeded) const {
        if (!succeeded)
            failWriting(targetPath_, GetLastError());
    }

    const std::string& targetPath_;
    std::wstring name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool placed_ = false;
};

} // namespace

void replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::wstring target = toUtf16(path);
    // Not every system refuses to put a file in place of a folder.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw PlatformError("Could not write \"" + path + "\": a folder of that name is in the way.");
    TemporaryFile temporary(path, target);
    temporary.write(bytes);
    temporary.flushAndClose();
    temporary.putInPlaceOf(target);
}

} // namespace tovrin
