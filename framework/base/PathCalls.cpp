#include "PathCalls.h"

#include "ExactText.h"

DWORD GetAttributesAt(const char* pszPath) {
    return GetFileAttributesW(SystemPathOf(pszPath).c_str());
}

bool GetAttributeDataAt(const char* pszPath, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExW(SystemPathOf(pszPath).c_str(), GetFileExInfoStandard, &data) !=
           FALSE;
}

bool SetAttributesAt(const char* pszPath, DWORD dwAttributes) {
    return SetFileAttributesW(SystemPathOf(pszPath).c_str(), dwAttributes) != FALSE;
}

bool DeleteFileAt(const char* pszPath) {
    return DeleteFileW(SystemPathOf(pszPath).c_str()) != FALSE;
}

bool MoveFileAt(const char* pszFrom, const char* pszTo, DWORD dwFlags) {
    return MoveFileExW(SystemPathOf(pszFrom).c_str(), SystemPathOf(pszTo).c_str(), dwFlags) !=
           FALSE;
}

bool CreateFolderAt(const char* pszPath) {
    return CreateDirectoryW(SystemPathOf(pszPath).c_str(), nullptr) != FALSE;
}

bool RemoveFolderAt(const char* pszPath) {
    return RemoveDirectoryW(SystemPathOf(pszPath).c_str()) != FALSE;
}

HANDLE OpenFileAt(const char* pszPath, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                  DWORD dwFlags) {
    return CreateFileW(SystemPathOf(pszPath).c_str(), dwAccess, dwShare, nullptr, dwCreation,
                       dwFlags, nullptr);
}

bool ForceDeleteFileAt(const char* pszPath) {
    std::wstring path = SystemPathOf(pszPath);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != FALSE;
}
