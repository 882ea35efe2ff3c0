#include "platform/win32/AtomicFile.h"

#include "batchfile/WriteFailure.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"

#include <algorithm>

namespace tovrin {

namespace {

// What the new content takes over from the file it replaces; read-only is
// refused instead.
constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring folderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// A path in the \\?\ form as the user knows it.
std::string shown(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return toUtf8(L"\\\\" + path.substr(8));
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return toUtf8(path.substr(4));
    return toUtf8(path);
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : AtomicFile(path, realFileSystem()) {}

AtomicFile::AtomicFile(const std::string& path, FileSystem& fileSystem) : path_(path), fileSystem_(fileSystem) {
    findTarget();
    const DWORD attributes = fileSystem_.getFileAttributes(target_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        fail(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        giveUp(FolderInTheWay);
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        giveUp("the file is read-only.");
    createTemporary(attributes & KeptAttributes);
}

AtomicFile::~AtomicFile() {
    removeWhatWasMade();
}

// The name may lead through symbolic links and junctions: the file written
// is the one at their end, so that every link stays as it was.
void AtomicFile::findTarget() {
    const std::wstring name = toUtf16(path_);
    HANDLE found = fileSystem_.createFile(name.c_str(), 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (found == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            fail(GetLastError());
        // No file of that name, or a link to none, which exists all the
        // same: the file is made where the link leads, as on Linux. Until
        // the new text takes its place it is empty, and removed again if
        // the writing is given up.
        found = fileSystem_.createFile(name.c_str(), GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        if (found == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
            found = fileSystem_.createFile(name.c_str(), GENERIC_WRITE, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
        if (found == INVALID_HANDLE_VALUE)
            fail(GetLastError());
        targetCreated_ = true;
    }
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = fileSystem_.getFinalPathName(found, target.data(), static_cast<DWORD>(target.size()));
    if (length >= target.size()) {
        target.resize(length);
        length = fileSystem_.getFinalPathName(found, target.data(), static_cast<DWORD>(target.size()));
    }
    const DWORD error = GetLastError();
    fileSystem_.closeHandle(found);
    if (length == 0 || length >= target.size())
        fail(error);
    target.resize(length);
    target_ = target;
}

// Named after the process, not the target: a target name near the length
// limit still leaves room for it.
void AtomicFile::createTemporary(DWORD attributes) {
    const std::wstring prefix = folderOf(target_) + L"\\~tovrin-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0;; ++attempt) {
        temporaryName_ = prefix + std::to_wstring(attempt) + L".tmp";
        handle_ = fileSystem_.createFile(temporaryName_.c_str(), GENERIC_WRITE, CREATE_NEW,
                                         attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
        if (handle_ != INVALID_HANDLE_VALUE) {
            temporaryGone_ = false;
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            fail(error);
    }
}

void AtomicFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        check(fileSystem_.writeFile(handle_, bytes.data(), chunk, &written));
        // A write that took nothing would take nothing the next time either.
        if (written == 0)
            fail(ERROR_WRITE_FAULT);
        bytes.remove_prefix(written);
    }
}

void AtomicFile::commit() {
    check(fileSystem_.flushFileBuffers(handle_));
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    check(fileSystem_.closeHandle(handle));
    putInPlace();
}

// The old file's attributes and security carry over to the new content.
void AtomicFile::putInPlace() {
    if (fileSystem_.replaceFile(target_.c_str(), temporaryName_.c_str())) {
        temporaryGone_ = true;
        targetCreated_ = false;
        return;
    }
    const DWORD error = GetLastError();
    if (fileSystem_.getFileAttributes(target_.c_str()) != INVALID_FILE_ATTRIBUTES)
        fail(error);
    // The old file is gone (as after ERROR_UNABLE_TO_MOVE_REPLACEMENT) and
    // the new text is only in the temporary file: it takes the name if it
    // can, else it stays for the user to find.
    targetCreated_ = false;
    temporaryGone_ = true;
    if (fileSystem_.moveFile(temporaryName_.c_str(), target_.c_str()))
        return;
    throw writeFailure(path_, systemReason(GetLastError()) + " The old file is gone; the whole new text is in \"" +
                                  shown(temporaryName_) + "\".");
}

void AtomicFile::check(BOOL succeeded) {
    if (!succeeded)
        fail(GetLastError());
}

void AtomicFile::fail(DWORD error) {
    giveUp(systemReason(error));
}

// Gives up: what this writer made goes, and if it cannot, the user learns
// where it stays.
void AtomicFile::giveUp(std::string reason) {
    throw writeFailure(path_, reason + removeWhatWasMade());
}

// Says what could not be removed.
std::string AtomicFile::removeWhatWasMade() {
    std::string left;
    if (handle_ != INVALID_HANDLE_VALUE)
        fileSystem_.closeHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!temporaryGone_ && !fileSystem_.deleteFile(temporaryName_.c_str()))
        left += " A temporary file was left behind and could not be removed: \"" + shown(temporaryName_) + "\" (" +
                systemReason(GetLastError()) + ").";
    temporaryGone_ = true;
    if (targetCreated_ && !fileSystem_.deleteFile(target_.c_str()))
        left += " An empty file made for the new text could not be removed: \"" + shown(target_) + "\" (" +
                systemReason(GetLastError()) + ").";
    targetCreated_ = false;
    return left;
}

} // namespace tovrin
