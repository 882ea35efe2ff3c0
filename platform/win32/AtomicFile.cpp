#include "platform/win32/AtomicFile.h"

#include "platform/batchfile/WriteFailure.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"

#include <algorithm>

namespace tovrin {

namespace {

std::wstring folderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return L".";
    return path.substr(0, separator + 1 == path.size() ? separator + 1 : separator);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(toUtf16(path)) {
    // Not every system refuses to put a file in place of a folder.
    const DWORD attributes = GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw writeFailure(path_, FolderInTheWay);
    // Named after the process, not the target: a target name near the
    // length limit still leaves room for it.
    const std::wstring prefix = folderOf(target_) + L"\\~tovrin-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0;; ++attempt) {
        temporaryName_ = prefix + std::to_wstring(attempt) + L".tmp";
        handle_ = CreateFileW(temporaryName_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
        if (handle_ != INVALID_HANDLE_VALUE)
            return;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            fail(error);
    }
}

AtomicFile::~AtomicFile() {
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    if (!placed_)
        DeleteFileW(temporaryName_.c_str());
}

void AtomicFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        check(WriteFile(handle_, bytes.data(), chunk, &written, nullptr));
        bytes.remove_prefix(written);
    }
}

void AtomicFile::commit() {
    check(FlushFileBuffers(handle_));
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    check(CloseHandle(handle));
    putInPlace();
    placed_ = true;
}

// The old file's attributes and security carry over to the new content.
void AtomicFile::putInPlace() {
    const auto move = [&] {
        check(MoveFileExW(temporaryName_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    };
    if (!exists(target_)) {
        move();
        return;
    }
    if (ReplaceFileW(target_.c_str(), temporaryName_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return;
    const DWORD error = GetLastError();
    // The old file is already gone while the new one still has its
    // temporary name: put it in place rather than lose both.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && !exists(target_)) {
        move();
        return;
    }
    fail(error);
}

void AtomicFile::check(BOOL succeeded) const {
    if (!succeeded)
        fail(GetLastError());
}

void AtomicFile::fail(DWORD error) const {
    throw writeFailure(path_, systemReason(error));
}

} // namespace tovrin
