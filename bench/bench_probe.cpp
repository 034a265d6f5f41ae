// Measures what single file operations cost on this system, one at a time,
// over every file of a source tree: the figures a change to the engine has
// to be weighed against. Each probe walks the tree once and does one
// operation per file (or per folder where it says so).
//
//   bench_probe.exe SOURCE SCRATCH [--staged-only]
//
// SCRATCH is emptied and filled by the copy probes. Lines starting with
// "PROBE " are name=microseconds per file, for the script. --staged-only
// runs only the staged copies with threads (the longest probe).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "FileFacts.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "PathText.h"

namespace {

struct CFileEntry {
    std::string strFolder; // relative to the tree's root, "" for the root
    std::string strName;
};

bool IsDots(const char* pszName) {
    return std::strcmp(pszName, ".") == 0 || std::strcmp(pszName, "..") == 0;
}

// Lists a tree the way the engine's walks do: one search per folder.
void ListTree(const std::string& strRoot, const std::string& strRelative,
              std::vector<CFileEntry>* pFiles, std::vector<std::string>* pFolders) {
    std::string strFolder = strRelative.empty() ? strRoot : strRoot + "\\" + strRelative;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    if (pFolders)
        pFolders->push_back(strRelative);
    do {
        if (IsDots(data.cFileName))
            continue;
        std::string strChild =
            strRelative.empty() ? data.cFileName : strRelative + "\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(strRoot, strChild, pFiles, pFolders);
        else if (pFiles)
            pFiles->push_back({strRelative, data.cFileName});
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
}

std::string PathOf(const std::string& strRoot, const CFileEntry& entry) {
    return entry.strFolder.empty() ? strRoot + "\\" + entry.strName
                                   : strRoot + "\\" + entry.strFolder + "\\" + entry.strName;
}

std::string FolderOf(const std::string& strRoot, const std::string& strRelative) {
    return strRelative.empty() ? strRoot : strRoot + "\\" + strRelative;
}

// Prints microseconds per file of one probe; nCount is what the probe
// divided by (files, unless a probe works per folder).
void Report(const char* pszKey, const char* pszWhat, double dSeconds, size_t nCount) {
    double dMicro = dSeconds * 1e6 / static_cast<double>(nCount ? nCount : 1);
    std::printf("%-58s %8.1f us  (%.2f s for %zu)\n", pszWhat, dMicro, dSeconds, nCount);
    std::printf("PROBE %s=%.1f\n", pszKey, dMicro);
    std::fflush(stdout);
}

template <class Fn> void TimeEach(const char* pszKey, const char* pszWhat, size_t nCount, Fn fn) {
    double dStart = Now();
    for (size_t i = 0; i < nCount; ++i)
        fn(i);
    Report(pszKey, pszWhat, Now() - dStart, nCount);
}

HANDLE OpenRead(const std::string& strPath, DWORD dwShare) {
    return CreateFileA(strPath.c_str(), GENERIC_READ, dwShare, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A copy through two handles: read the source's facts, write the target,
// set its times and attributes through the handle it holds.
bool CopyThroughHandles(const std::string& strSource, const std::string& strTarget) {
    HANDLE hSource = OpenRead(strSource, FILE_SHARE_READ);
    if (hSource == INVALID_HANDLE_VALUE)
        return false;
    FILE_BASIC_INFO basic;
    GetFileInformationByHandleEx(hSource, FileBasicInfo, &basic, sizeof basic);
    HANDLE hTarget = CreateFileA(strTarget.c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, 0,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hTarget == INVALID_HANDLE_VALUE) {
        CloseHandle(hSource);
        return false;
    }
    static char buffer[65536];
    DWORD dwRead = 0, dwWritten = 0;
    while (ReadFile(hSource, buffer, sizeof buffer, &dwRead, nullptr) && dwRead)
        WriteFile(hTarget, buffer, dwRead, &dwWritten, nullptr);
    basic.ChangeTime.QuadPart = 0;
    SetFileInformationByHandle(hTarget, FileBasicInfo, &basic, sizeof basic);
    CloseHandle(hTarget);
    CloseHandle(hSource);
    return true;
}

void EmptyFolder(const std::string& strFolder) {
    std::vector<CFileEntry> files;
    std::vector<std::string> folders;
    ListTree(strFolder, "", &files, &folders);
    for (const CFileEntry& entry : files) {
        std::string strPath = PathOf(strFolder, entry);
        SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(strPath.c_str());
    }
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        if (!it->empty())
            RemoveDirectoryA(FolderOf(strFolder, *it).c_str());
}

void MakeFolders(const std::string& strRoot, const std::vector<std::string>& folders) {
    CreateDirectoryA(strRoot.c_str(), nullptr);
    for (const std::string& strFolder : folders)
        if (!strFolder.empty())
            CreateDirectoryA(FolderOf(strRoot, strFolder).c_str(), nullptr);
}

void ProbeLookups(const std::string& strSource, const std::vector<CFileEntry>& files,
                  const std::vector<std::string>& folders) {
    size_t n = files.size();
    std::vector<std::string> paths;
    for (const CFileEntry& entry : files)
        paths.push_back(PathOf(strSource, entry));

    double dStart = Now();
    ListTree(strSource, "", nullptr, nullptr);
    Report("list", "listing the tree (FindFirstFileA per folder)", Now() - dStart, n);

    // The walks' own listing: wide names, each put into the code page.
    dStart = Now();
    for (const std::string& strFolder : folders) {
        CFileFind finder;
        bool bMore = finder.FindFile((FolderOf(strSource, strFolder) + "\\*.*").c_str());
        while (bMore)
            bMore = finder.FindNextFile();
    }
    Report("list_finder", "listing the tree (CFileFind: wide names, exactness)", Now() - dStart, n);

    // The listing the comparison can take its facts from: each folder
    // listed into a look-up table once, every file looked up in it.
    dStart = Now();
    {
        CFolderListing listing;
        std::string strListed;
        for (const CFileEntry& entry : files) {
            if (strListed != entry.strFolder || !listing.GetCount()) {
                strListed = entry.strFolder;
                listing.List(FolderOf(strSource, entry.strFolder).c_str());
            }
            listing.Find(entry.strName.c_str());
        }
    }
    Report("listing_lookup", "CFolderListing: each folder listed, each file found", Now() - dStart,
           n);
    CFileFacts facts;
    {
        CFileFind found;
        found.FindFile(paths[0].c_str());
        found.FindNextFile();
        facts = FactsOf(found);
    }
    TimeEach("facts_same", "FactsMatch of identical facts", n,
             [&](size_t) { FactsMatch(facts, facts); });
    CFileFacts later = facts;
    later.ftLastWrite.dwLowDateTime += 1000; // 100 us later: the same second, or the next
    later.ftCreation.dwLowDateTime += 1000;
    TimeEach("facts_convert", "FactsMatch of times that need the local-time rule", n,
             [&](size_t) { FactsMatch(facts, later); });

    TimeEach("getattr", "GetFileAttributesA", n,
             [&](size_t i) { GetFileAttributesA(paths[i].c_str()); });
    TimeEach("getattr_missing", "GetFileAttributesA of a missing name", n,
             [&](size_t i) { GetFileAttributesA((paths[i] + "~").c_str()); });
    TimeEach("getattrex", "GetFileAttributesExA", n, [&](size_t i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        GetFileAttributesExA(paths[i].c_str(), GetFileExInfoStandard, &data);
    });
    TimeEach("findfirst_exact", "FindFirstFileA of the exact path + FindClose", n, [&](size_t i) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA(paths[i].c_str(), &data);
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    });
    TimeEach("open_share0", "CreateFileA (read, share 0) + CloseHandle", n, [&](size_t i) {
        HANDLE h = OpenRead(paths[i], 0);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    });
    TimeEach("open_basicinfo", "open + FileBasicInfo + GetFileSizeEx + close", n, [&](size_t i) {
        HANDLE h = OpenRead(paths[i], 0);
        if (h == INVALID_HANDLE_VALUE)
            return;
        FILE_BASIC_INFO basic;
        LARGE_INTEGER size;
        GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic);
        GetFileSizeEx(h, &size);
        CloseHandle(h);
    });
    TimeEach("open_fullinfo", "open + GetFileInformationByHandle + close", n / 10 + 1,
             [&](size_t i) {
                 HANDLE h = OpenRead(paths[i], 0);
                 if (h == INVALID_HANDLE_VALUE)
                     return;
                 BY_HANDLE_FILE_INFORMATION info;
                 GetFileInformationByHandle(h, &info);
                 CloseHandle(h);
             });
    TimeEach("comparefiles", "CompareFiles (source with itself)", n,
             [&](size_t i) { CompareFiles(paths[i].c_str(), paths[i].c_str()); });

    HANDLE hMutex = CreateMutexA(nullptr, FALSE, "mrq Probe Mutex");
    TimeEach("mutex_try", "named mutex: wait 0 + release", n, [&](size_t) {
        if (WaitForSingleObject(hMutex, 0) == WAIT_OBJECT_0)
            ReleaseMutex(hMutex);
    });
    CloseHandle(hMutex);
    volatile ULONGLONG nSink = 0;
    TimeEach("tickcount", "GetTickCount64", n, [&](size_t) { nSink = nSink + GetTickCount64(); });
    TimeEach("shorten", "copy + ShortenPath(30) + status text format", n, [&](size_t i) {
        char szShown[MAX_PATH], szText[280];
        std::strcpy(szShown, paths[i].c_str());
        ShortenPath(szShown, 30);
        std::snprintf(szText, sizeof szText, "%s%s", "検索中 : ", szShown);
    });
    TimeEach("filters", "HasListedExtension against a 5-item list", n,
             [&](size_t i) { HasListedExtension(paths[i].c_str(), "tmp,bak,obj,~,lnk"); });

    TimeEach("folder_exists", "IsExistingFolder of a file's folder (per file)", n,
             [&](size_t i) { IsExistingFolder(FolderOf(strSource, files[i].strFolder).c_str()); });
    TimeEach("folderchain", "MakeFolderChain of an existing file's path", n,
             [&](size_t i) { MakeFolderChain(paths[i].c_str(), false); });
    TimeEach(
        "setcurdir", "SetCurrentDirectoryA of a file's folder (per file)", n / 10 + 1,
        [&](size_t i) { SetCurrentDirectoryA(FolderOf(strSource, files[i].strFolder).c_str()); });
    SetCurrentDirectoryA("C:\\");
}

void ProbeCopies(const std::string& strSource, const std::string& strScratch,
                 const std::vector<CFileEntry>& files, const std::vector<std::string>& folders) {
    size_t n = files.size();
    auto Target = [&](const std::string& strRoot, size_t i) { return PathOf(strRoot, files[i]); };
    std::string strA = strScratch + "\\a", strB = strScratch + "\\b", strC = strScratch + "\\c";
    EmptyFolder(strScratch);
    MakeFolders(strA, folders);
    MakeFolders(strB, folders);
    MakeFolders(strC, folders);

    TimeEach("copyfile", "CopyFileA (fail if exists)", n, [&](size_t i) {
        CopyFileA(PathOf(strSource, files[i]).c_str(), Target(strA, i).c_str(), TRUE);
    });
    TimeEach("copywithtimes", "CopyFileWithTimes (staged, one read handle)", n, [&](size_t i) {
        CopyFileWithTimes(PathOf(strSource, files[i]).c_str(), Target(strB, i).c_str());
    });
    TimeEach("copyhandles", "copy through two handles, times set on the handle", n,
             [&](size_t i) { CopyThroughHandles(PathOf(strSource, files[i]), Target(strC, i)); });
    TimeEach("rename", "MoveFileA within its folder", n, [&](size_t i) {
        MoveFileA(Target(strC, i).c_str(), (Target(strC, i) + "~").c_str());
    });
    TimeEach("moveex_replace", "MoveFileExA(REPLACE_EXISTING) onto an existing file", n,
             [&](size_t i) {
                 MoveFileExA((Target(strC, i) + "~").c_str(), Target(strA, i).c_str(),
                             MOVEFILE_REPLACE_EXISTING);
             });
    TimeEach("setattr", "SetFileAttributesA", n, [&](size_t i) {
        SetFileAttributesA(Target(strB, i).c_str(), FILE_ATTRIBUTE_ARCHIVE);
    });
    TimeEach("open_write_attrs", "open for FILE_WRITE_ATTRIBUTES + close", n, [&](size_t i) {
        HANDLE h = CreateFileA(Target(strB, i).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    });
    TimeEach("delete", "DeleteFileA", n, [&](size_t i) { DeleteFileA(Target(strB, i).c_str()); });
    double dStart = Now();
    for (const std::string& strFolder : folders)
        CreateDirectoryA(FolderOf(strB, strFolder).c_str(), nullptr);
    Report("mkdir_existing", "CreateDirectoryA of an existing folder (per folder)", Now() - dStart,
           folders.size());
    EmptyFolder(strScratch);
}

// How a staged copy is put in place, or none for the reference.
enum PlaceKind { PLACE_BY_NAME, PLACE_BY_HANDLE, PLACE_NO_STAGING };

std::wstring WideOf(const std::string& strPath) {
    int n = MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, &wide[0], n);
    wide.resize(wide.size() - 1);
    return wide;
}

// Renames the file of an open handle (opened with DELETE) over the target.
bool RenameThroughHandle(HANDLE hFile, const std::string& strTarget) {
    std::wstring wide = WideOf(strTarget);
    size_t nBytes = sizeof(FILE_RENAME_INFO) + wide.size() * sizeof(wchar_t);
    std::unique_ptr<char[]> buffer(new char[nBytes]());
    FILE_RENAME_INFO* pInfo = reinterpret_cast<FILE_RENAME_INFO*>(buffer.get());
    pInfo->ReplaceIfExists = TRUE;
    pInfo->FileNameLength = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    std::memcpy(pInfo->FileName, wide.c_str(), pInfo->FileNameLength);
    return SetFileInformationByHandle(hFile, FileRenameInfo, pInfo, static_cast<DWORD>(nBytes)) !=
           FALSE;
}

// One copy as the engine makes it: the source opened without sharing, its
// facts read, its content written under a staging name beside the target
// (or under the target's own name for the reference), times and attributes
// set through the write handle, then the copy put in place.
bool StagedCopyOf(const std::string& strSource, const std::string& strTarget, PlaceKind kind) {
    HANDLE hSource = OpenRead(strSource, 0);
    if (hSource == INVALID_HANDLE_VALUE)
        return false;
    FILE_BASIC_INFO basic;
    LARGE_INTEGER size;
    GetFileInformationByHandleEx(hSource, FileBasicInfo, &basic, sizeof basic);
    GetFileSizeEx(hSource, &size);
    std::string strStaging = strTarget;
    if (kind != PLACE_NO_STAGING)
        strStaging = strTarget.substr(0, strTarget.rfind('\\') + 1) + "~mrq" +
                     std::to_string(GetCurrentThreadId()) + ".tmp";
    DWORD dwAccess = GENERIC_WRITE | (kind == PLACE_BY_HANDLE ? DELETE : 0);
    HANDLE hTarget = CreateFileA(strStaging.c_str(), dwAccess, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hTarget == INVALID_HANDLE_VALUE) {
        CloseHandle(hSource);
        return false;
    }
    char buffer[4096];
    DWORD dwRead = 0, dwWritten = 0;
    while (ReadFile(hSource, buffer, sizeof buffer, &dwRead, nullptr) && dwRead)
        WriteFile(hTarget, buffer, dwRead, &dwWritten, nullptr);
    basic.ChangeTime.QuadPart = 0;
    SetFileInformationByHandle(hTarget, FileBasicInfo, &basic, sizeof basic);
    bool bOk = true;
    if (kind == PLACE_BY_HANDLE)
        bOk = RenameThroughHandle(hTarget, strTarget);
    CloseHandle(hTarget);
    if (kind == PLACE_BY_NAME)
        bOk =
            MoveFileExA(strStaging.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    CloseHandle(hSource);
    return bOk;
}

// The staged copies of every file with nThreads threads taking the files
// in order, into a fresh copy of the tree's folders.
void ProbeStagedThreads(const std::string& strSource, const std::string& strScratch,
                        const std::vector<CFileEntry>& files,
                        const std::vector<std::string>& folders, PlaceKind kind, int nThreads) {
    static const char* const KEYS[] = {"byname", "byhandle", "nostaging"};
    static const char* const WHAT[] = {"put in place by name after the close (MoveFileExA)",
                                       "put in place through its open handle (FileRenameInfo)",
                                       "no staging: written under the target's name"};
    std::string strTarget = strScratch + "\\t";
    EmptyFolder(strScratch);
    MakeFolders(strTarget, folders);
    std::atomic<size_t> nNext{0};
    std::atomic<size_t> nFailed{0};
    double dStart = Now();
    std::vector<std::thread> threads;
    for (int t = 0; t < nThreads; ++t)
        threads.emplace_back([&] {
            for (size_t i; (i = nNext++) < files.size();)
                if (!StagedCopyOf(PathOf(strSource, files[i]), PathOf(strTarget, files[i]), kind))
                    ++nFailed;
        });
    for (std::thread& thread : threads)
        thread.join();
    double dSeconds = Now() - dStart;
    char szKey[64], szWhat[160];
    std::snprintf(szKey, sizeof szKey, "staged_%s_%d", KEYS[kind], nThreads);
    std::snprintf(szWhat, sizeof szWhat, "staged copy, %d thread%s: %s", nThreads,
                  nThreads == 1 ? "" : "s", WHAT[kind]);
    Report(szKey, szWhat, dSeconds, files.size());
    if (nFailed)
        std::printf("  %zu copies failed\n", nFailed.load());
    EmptyFolder(strScratch);
}

void ProbeStagedCopies(const std::string& strSource, const std::string& strScratch,
                       const std::vector<CFileEntry>& files,
                       const std::vector<std::string>& folders) {
    for (PlaceKind kind : {PLACE_BY_NAME, PLACE_BY_HANDLE, PLACE_NO_STAGING})
        for (int nThreads : {1, 2, 4, 8})
            ProbeStagedThreads(strSource, strScratch, files, folders, kind, nThreads);
}

} // namespace

int main(int argc, char** argv) {
    bool bStagedOnly = argc == 4 && std::strcmp(argv[3], "--staged-only") == 0;
    if (argc != 3 && !bStagedOnly) {
        std::fprintf(stderr, "usage: bench_probe SOURCE SCRATCH [--staged-only]\n");
        return 2;
    }
    std::string strSource = argv[1], strScratch = argv[2];
    std::vector<CFileEntry> files;
    std::vector<std::string> folders;
    ListTree(strSource, "", &files, &folders);
    std::printf("source %s: %zu files in %zu folders\n", strSource.c_str(), files.size(),
                folders.size());
    CreateDirectoryA(strScratch.c_str(), nullptr);
    if (!bStagedOnly) {
        ProbeLookups(strSource, files, folders);
        ProbeCopies(strSource, strScratch, files, folders);
    }
    ProbeStagedCopies(strSource, strScratch, files, folders);
    return 0;
}
