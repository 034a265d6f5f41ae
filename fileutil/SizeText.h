// Byte counts as text, and the free space of a volume.
#pragma once

#include "String.h"

// "999byte", "0.97KB", "12.5MB", "512KB" ... up to "TB" with three
// significant digits, truncated. Values of 1000 TB and more are written in
// TB without decimals ("1000TB").
CString FormatSize(ULONGLONG nValue);

// Bytes available to the caller on the volume of the path: the drive root
// (first three characters) or, for \\server\share\..., the share root.
// 0 when the query fails.
ULONGLONG GetFreeSpace(const char* pszPath);

CString FormatFreeSpace(const char* pszPath);

// What a free-space figure is shown after: "空き容量 : 512KB".
extern const char* const FREE_SPACE_LABEL;
