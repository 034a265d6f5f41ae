// The file system calls of the program's paths (ExactText.h): each takes
// the text of a path, which may hold escapes for characters the code page
// lacks and may be longer than MAX_PATH, and calls the system's wide
// function with the path SystemPathOf gives. Results and last errors are
// the system's own.
#pragma once

#include "Types.h"

DWORD GetAttributesAt(const char* pszPath);
bool GetAttributeDataAt(const char* pszPath, WIN32_FILE_ATTRIBUTE_DATA& data);
bool SetAttributesAt(const char* pszPath, DWORD dwAttributes);
bool DeleteFileAt(const char* pszPath);
bool MoveFileAt(const char* pszFrom, const char* pszTo, DWORD dwFlags);
bool CreateFolderAt(const char* pszPath);
bool RemoveFolderAt(const char* pszPath);
// CreateFileW with no security attributes and no template.
HANDLE OpenFileAt(const char* pszPath, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                  DWORD dwFlags);

// Clears the attributes (read-only too) and deletes the file.
bool ForceDeleteFileAt(const char* pszPath);
