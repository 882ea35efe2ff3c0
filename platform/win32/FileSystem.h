#pragma once

#include <windows.h>

namespace tovrin {

// The system calls that replacing a file takes, one by one, so that a test
// can make any of them fail. Each returns what the system call returns and
// leaves its reason for GetLastError().
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual DWORD getFileAttributes(const wchar_t* path);
    virtual HANDLE createFile(const wchar_t* path, DWORD access, DWORD disposition, DWORD flagsAndAttributes);
    virtual DWORD getFinalPathName(HANDLE file, wchar_t* path, DWORD size);
    virtual BOOL writeFile(HANDLE file, const void* data, DWORD size, DWORD* written);
    virtual BOOL flushFileBuffers(HANDLE file);
    virtual BOOL closeHandle(HANDLE handle);
    virtual BOOL replaceFile(const wchar_t* replaced, const wchar_t* replacement);
    // Renames the file at from to the name to; never takes the place of an existing file.
    virtual BOOL moveFile(const wchar_t* from, const wchar_t* to);
    virtual BOOL deleteFile(const wchar_t* path);
};

// The machine's own file system.
FileSystem& realFileSystem();

} // namespace tovrin
