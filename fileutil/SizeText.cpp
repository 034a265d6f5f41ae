#include "SizeText.h"

#include <cstdio>
#include <cstring>

#include "PathText.h"

const char* const FREE_SPACE_LABEL = "空き容量 : ";

CString FormatSize(ULONGLONG nValue) {
    static const char* const kUnits[] = {"byte", "KB", "MB", "GB", "TB"};
    CString str;
    if (nValue < 1000) {
        str.Format("%u%s", static_cast<unsigned>(nValue), kUnits[0]);
        return str;
    }
    for (int nUnit = 1; nUnit <= 4; ++nUnit) {
        // Thousandths of the next unit from the bits shifted out in this step.
        unsigned nFraction = static_cast<unsigned>((nValue % 1024) * 1000 / 1024);
        nValue /= 1024;
        if (nValue >= 1000 && nUnit < 4)
            continue;
        if (nValue >= 100)
            str.Format("%llu%s", nValue, kUnits[nUnit]);
        else if (nValue >= 10)
            str.Format("%llu.%u%s", nValue, nFraction / 100, kUnits[nUnit]);
        else
            str.Format("%llu.%u%u%s", nValue, nFraction / 100, (nFraction % 100) / 10,
                       kUnits[nUnit]);
        return str;
    }
    return str;
}

namespace {

// The root folder whose volume holds the path, with a trailing backslash.
CString VolumeRoot(const char* pszPath) {
    char szShare[MAX_PATH];
    if (GetShareName(pszPath, szShare)) {
        CString strRoot(szShare);
        AddBackslash(strRoot);
        return strRoot;
    }
    return CString(pszPath, static_cast<int>(strnlen(pszPath, 3)));
}

typedef BOOL(WINAPI* GetDiskFreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                             PULARGE_INTEGER);

} // namespace

ULONGLONG GetFreeSpace(const char* pszPath) {
    CString strRoot = VolumeRoot(pszPath);
    ULONGLONG nFree = 0;
    HMODULE hKernel = LoadLibraryA("KERNEL32.DLL");
    GetDiskFreeSpaceExProc pfnGetDiskFreeSpaceEx =
        hKernel ? reinterpret_cast<GetDiskFreeSpaceExProc>(
                      reinterpret_cast<void*>(GetProcAddress(hKernel, "GetDiskFreeSpaceExA")))
                : nullptr;
    if (pfnGetDiskFreeSpaceEx) {
        ULARGE_INTEGER available, total, totalFree;
        if (pfnGetDiskFreeSpaceEx(strRoot, &available, &total, &totalFree))
            nFree = available.QuadPart;
    } else {
        DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters, dwClusters;
        if (GetDiskFreeSpaceA(strRoot, &dwSectorsPerCluster, &dwBytesPerSector, &dwFreeClusters,
                              &dwClusters))
            nFree = static_cast<ULONGLONG>(dwFreeClusters) * dwSectorsPerCluster * dwBytesPerSector;
    }
    if (hKernel)
        FreeLibrary(hKernel);
    return nFree;
}

CString FormatFreeSpace(const char* pszPath) {
    return FormatSize(GetFreeSpace(pszPath));
}
