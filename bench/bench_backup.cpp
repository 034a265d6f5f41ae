// Times the backup engine the way the progress dialog drives it: a first
// backup of a source tree, a backup with nothing changed, and a backup after
// one file in a hundred was rewritten. Prints the times, the counters with
// their expected values, and the process's peak memory.
//
//   bench_backup.exe SOURCE DESTINATION
//
// Lines starting with "RESULT " are for the script that builds the table.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BackupProgress.h"
#include "BackupSource.h"

namespace {

// One file in this many is rewritten before the third backup.
const int CHANGE_EVERY = 100;

struct RunResult {
    double dSeconds = 0;       // Start() to the closing tick
    double dSurveySeconds = 0; // Start() to the go-ahead tick
    int nStatus = -1;
    int nTotal = 0;
    int nNew = 0;
    int nUpdated = 0;
    int nDeleted = 0;
    std::string strWarnings;
};

double Now() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Join(const std::string& strFolder, const char* pszName) {
    return strFolder + "\\" + pszName;
}

// The mirror of a source folder is named after its last component.
std::string MirrorOf(const std::string& strSource, const std::string& strDestination) {
    size_t nSlash = strSource.find_last_of('\\');
    return Join(strDestination, strSource.c_str() + (nSlash == std::string::npos ? 0 : nSlash + 1));
}

// Ticks every 10 ms like the dialog's timer until the run is over.
void RunTicks(CBackupProgress& progress, double dStart, RunResult& result) {
    for (;;) {
        Sleep(10);
        CProgressTick tick = progress.OnTimer();
        if (tick.bSetRange || tick.bSpaceText)
            result.dSurveySeconds = Now() - dStart;
        if (tick.bClose)
            break;
    }
    result.dSeconds = Now() - dStart;
}

RunResult RunBackup(const std::string& strSource, const std::string& strDestination) {
    RunResult result;
    CBackupSource source(strSource.c_str());
    source.m_strMirror = MirrorOf(strSource, strDestination).c_str();
    CBackupSource::SetOption(source.m_szHistory, "1");

    CBackupProgress progress;
    progress.m_strDestination = strDestination.c_str();
    progress.m_pJob->m_entries.AddTail(&source);
    double dStart = Now();
    if (progress.Start(""))
        RunTicks(progress, dStart, result);
    else
        result.dSeconds = Now() - dStart;
    progress.End();

    const CBackupJob& job = *progress.m_pJob;
    result.nStatus = job.m_nStatus;
    result.nTotal = job.m_nTotal;
    result.nNew = job.m_nNew;
    result.nUpdated = job.m_nUpdated;
    result.nDeleted = job.m_nDeleted;
    result.strWarnings = job.m_strWarnings.str();
    return result;
}

// Calls fn(path) for every file below strFolder, in listing order.
template <class Fn> void ForEachFile(const std::string& strFolder, Fn fn) {
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(Join(strFolder, "*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        bool bDots =
            std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0;
        std::string strPath = Join(strFolder, data.cFileName);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!bDots)
                ForEachFile(strPath, fn);
        } else {
            fn(strPath);
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
}

int CountFiles(const std::string& strFolder) {
    int nCount = 0;
    ForEachFile(strFolder, [&](const std::string&) { ++nCount; });
    return nCount;
}

bool ReadWholeFile(const std::string& strPath, std::string& strOut) {
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD dwRead = 0;
    strOut.clear();
    while (ReadFile(h, buffer, sizeof buffer, &dwRead, nullptr) && dwRead)
        strOut.append(buffer, dwRead);
    CloseHandle(h);
    return true;
}

// New content of the same size; writing it also gives the file a new
// last-write time (the earlier runs took well over a second).
bool RewriteFile(const std::string& strPath) {
    std::string strContent;
    if (!ReadWholeFile(strPath, strContent))
        return false;
    for (char& ch : strContent)
        ch = static_cast<char>(~ch);
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool bOk = WriteFile(h, strContent.data(), static_cast<DWORD>(strContent.size()), &dwWritten,
                         nullptr) &&
               dwWritten == strContent.size();
    return CloseHandle(h) && bOk;
}

std::vector<std::string> ChangeFiles(const std::string& strSource) {
    std::vector<std::string> changed;
    int nIndex = 0;
    ForEachFile(strSource, [&](const std::string& strPath) {
        if (nIndex++ % CHANGE_EVERY == 0 && RewriteFile(strPath))
            changed.push_back(strPath);
    });
    return changed;
}

// Number of changed files whose mirror does not hold the new content.
int CountStaleMirrors(const std::vector<std::string>& changed, const std::string& strSource,
                      const std::string& strMirror) {
    int nStale = 0;
    for (const std::string& strPath : changed) {
        std::string strCopy = strMirror + strPath.substr(strSource.size());
        std::string strA, strB;
        if (!ReadWholeFile(strPath, strA) || !ReadWholeFile(strCopy, strB) || strA != strB)
            ++nStale;
    }
    return nStale;
}

int g_nFailures = 0;

void Check(const char* pszWhat, long long nActual, long long nExpected) {
    bool bOk = nActual == nExpected;
    if (!bOk)
        ++g_nFailures;
    std::printf("  %-4s %-44s %lld (expected %lld)\n", bOk ? "ok" : "FAIL", pszWhat, nActual,
                nExpected);
}

void Report(const char* pszKey, const char* pszTitle, const RunResult& result) {
    std::printf("%s: %.2f s (survey %.2f s, copy %.2f s), status %d, total %d, new %d, "
                "updated %d, deleted %d\n",
                pszTitle, result.dSeconds, result.dSurveySeconds,
                result.dSeconds - result.dSurveySeconds, result.nStatus, result.nTotal, result.nNew,
                result.nUpdated, result.nDeleted);
    if (!result.strWarnings.empty())
        std::printf("  warnings (first 300 bytes): %.300s\n", result.strWarnings.c_str());
    std::printf("RESULT engine_%s=%.3f\n", pszKey, result.dSeconds);
}

void CheckRun(const char* pszTitle, const RunResult& result, int nFiles, int nNew, int nUpdated) {
    std::string strPrefix(pszTitle);
    Check((strPrefix + ": status").c_str(), result.nStatus, 0);
    Check((strPrefix + ": files seen").c_str(), result.nTotal, nFiles);
    Check((strPrefix + ": new").c_str(), result.nNew, nNew);
    Check((strPrefix + ": updated").c_str(), result.nUpdated, nUpdated);
    Check((strPrefix + ": deleted").c_str(), result.nDeleted, 0);
}

void ReportMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        std::printf("peak memory: unavailable (error %lu)\n", GetLastError());
        return;
    }
    double dMiB = 1024.0 * 1024.0;
    std::printf("peak memory: working set %.1f MiB, pagefile usage %.1f MiB\n",
                static_cast<double>(counters.PeakWorkingSetSize) / dMiB,
                static_cast<double>(counters.PeakPagefileUsage) / dMiB);
    std::printf("RESULT peak_working_set_mib=%.1f\n",
                static_cast<double>(counters.PeakWorkingSetSize) / dMiB);
    std::printf("RESULT peak_pagefile_mib=%.1f\n",
                static_cast<double>(counters.PeakPagefileUsage) / dMiB);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_backup SOURCE DESTINATION\n");
        return 2;
    }
    std::string strSource = argv[1], strDestination = argv[2];
    std::string strMirror = MirrorOf(strSource, strDestination);
    std::string strHistory = Join(Join(strDestination, HISTORY_FOLDER_NAME), "bk1");
    CreateDirectoryA(strDestination.c_str(), nullptr);
    int nFiles = CountFiles(strSource);
    std::printf("source %s: %d files\n", strSource.c_str(), nFiles);

    RunResult first = RunBackup(strSource, strDestination);
    Report("first", "first backup", first);
    RunResult unchanged = RunBackup(strSource, strDestination);
    Report("nochange", "no-change backup", unchanged);
    std::vector<std::string> changed = ChangeFiles(strSource);
    RunResult partial = RunBackup(strSource, strDestination);
    Report("changed", "backup after 1 % changed", partial);
    ReportMemory();

    std::printf("checks:\n");
    CheckRun("first", first, nFiles, nFiles, 0);
    CheckRun("no change", unchanged, nFiles, 0, 0);
    int nChanged = static_cast<int>(changed.size());
    Check("files rewritten for the 1 % run", nChanged, nFiles / CHANGE_EVERY);
    CheckRun("1 % changed", partial, nFiles, 0, nChanged);
    Check("files in the mirror", CountFiles(strMirror), nFiles);
    Check("changed files with stale mirror content",
          CountStaleMirrors(changed, strSource, strMirror), 0);
    Check("old versions in history generation 1", CountFiles(strHistory), nChanged);
    std::printf("RESULT checks_failed=%d\n", g_nFailures);
    return g_nFailures ? 1 : 0;
}
