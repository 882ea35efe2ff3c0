#include "platform/win32/FileSystem.h"

namespace tovrin {

namespace {

// Others may read, write and rename the file while we hold it, as while
// any editor has it open.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

FileSystem& realFileSystem() {
    static FileSystem machine;
    return machine;
}

DWORD FileSystem::getFileAttributes(const wchar_t* path) { return GetFileAttributesW(path); }
HANDLE FileSystem::createFile(const wchar_t* path, DWORD access, DWORD disposition, DWORD flagsAndAttributes) {
    return CreateFileW(path, access, access == 0 ? ShareAll : 0, nullptr, disposition, flagsAndAttributes, nullptr);
}
DWORD FileSystem::getFinalPathName(HANDLE file, wchar_t* path, DWORD size) {
    return GetFinalPathNameByHandleW(file, path, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
}
BOOL FileSystem::writeFile(HANDLE file, const void* data, DWORD size, DWORD* written) {
    return WriteFile(file, data, size, written, nullptr);
}
BOOL FileSystem::flushFileBuffers(HANDLE file) { return FlushFileBuffers(file); }
BOOL FileSystem::closeHandle(HANDLE handle) { return CloseHandle(handle); }
BOOL FileSystem::replaceFile(const wchar_t* replaced, const wchar_t* replacement) {
    return ReplaceFileW(replaced, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}
BOOL FileSystem::moveFile(const wchar_t* from, const wchar_t* to) {
    return MoveFileExW(from, to, MOVEFILE_WRITE_THROUGH);
}
BOOL FileSystem::deleteFile(const wchar_t* path) { return DeleteFileW(path); }

} // namespace tovrin
