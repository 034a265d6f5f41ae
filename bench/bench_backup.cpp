// Times the backup engine the way the progress dialog drives it: a first
// backup of a source tree, a backup with nothing changed, and a backup after
// one file in a hundred was rewritten. Beside them it measures, in the same
// process, the floor a no-change run is held against (listing the source
// and the mirror tree), and the memory the first backup needed above the
// idle process. Checks the counters and the mirror against what they must be.
//
//   bench_backup.exe [--skip-changed] [--only-first] [--repeat N] [--workers N]
//                    SOURCE DESTINATION
//
//   --skip-changed  no 1 % run (the large trees)
//   --only-first    the first backup only (the large file); it also counts
//                   the positions the progress bar showed while copying
//   --repeat N      the no-change run and the listing of both trees N times
//                   each, the shortest of each kept: on a shared machine a
//                   run of about a second is easily slowed by another
//                   program, and the ratio of two such runs with it
//   --workers N     copies made at once (the engine's own number without it)
//   --alone-size N  files of N bytes or more are copied with no other copy
//                   beside them (the engine's own size without it)
//
// Lines starting with "RESULT " are name=value pairs for the script that
// builds the table.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "BackupRun.h"
#include "BenchClock.h"
#include "FileFind.h"
#include "HistoryFolder.h"
#include "PathCalls.h"

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
    int nRangeMax = 0;
    // Bar positions shown after the go-ahead, strictly between empty and
    // full: how often the bar moved while the work was going on.
    std::set<int> inBetween;
};

std::string Join(const std::string& strFolder, const char* pszName) {
    return strFolder + "\\" + pszName;
}

// The mirror of a source folder is named after its last component.
std::string MirrorOf(const std::string& strSource, const std::string& strDestination) {
    size_t nSlash = strSource.find_last_of('\\');
    return Join(strDestination, strSource.c_str() + (nSlash == std::string::npos ? 0 : nSlash + 1));
}

// Copies made at once, and the size of a file copied alone; 0 leaves the
// engine's own.
int g_nWorkers = 0;
ULONGLONG g_nAloneSize = 0;

RunResult RunBackup(const std::string& strSource, const std::string& strDestination) {
    CRunSpec spec;
    spec.strDestination = strDestination.c_str();
    CSourceSpec source;
    source.strFolder = strSource.c_str();
    source.strMirror = MirrorOf(strSource, strDestination).c_str();
    source.nHistoryLimit = 1;
    spec.sources.push_back(source);

    // Polled every 10 ms as the dialog polls it: the survey ends at the
    // tick that sets the bar's range.
    RunResult result;
    CBackupRun run;
    if (g_nWorkers > 0)
        run.GetJob().m_nCopyWorkers = g_nWorkers;
    if (g_nAloneSize > 0)
        run.GetJob().m_nAloneCopySize = g_nAloneSize;
    double dStart = Now();
    CRunOutcome outcome = RunToEnd(run, spec, 10, [&](const CProgressTick& tick) {
        if (tick.bSetRange) {
            result.dSurveySeconds = Now() - dStart;
            result.nRangeMax = tick.nRangeMax;
        }
        if (tick.bSetPos && tick.nPos > 0 && tick.nPos < result.nRangeMax)
            result.inBetween.insert(tick.nPos);
    });
    result.dSeconds = Now() - dStart;
    result.nStatus = outcome.nStatus;
    result.nTotal = outcome.nTotal;
    result.nNew = outcome.nNew;
    result.nUpdated = outcome.nUpdated;
    result.nDeleted = outcome.nDeleted;
    result.strWarnings = outcome.strWarnings.str();
    return result;
}

// Calls fn(path) for every file below strFolder, in listing order. Paths
// are the program's own texts (names beyond the code page escaped, of any
// length), which the calls of PathCalls.h open.
template <class Fn> void ForEachFile(const std::string& strFolder, Fn fn) {
    CFileFind finder;
    bool bMore = finder.FindFile(Join(strFolder, "*.*").c_str());
    while (bMore) {
        bMore = finder.FindNextFile();
        std::string strPath = Join(strFolder, finder.GetFileName());
        if (finder.IsDirectory()) {
            if (!finder.IsDots())
                ForEachFile(strPath, fn);
        } else {
            fn(strPath);
        }
    }
}

int CountFiles(const std::string& strFolder) {
    int nCount = 0;
    ForEachFile(strFolder, [&](const std::string&) { ++nCount; });
    return nCount;
}

// Mean length in bytes of the full paths of a tree's files.
double MeanPathLength(const std::string& strFolder) {
    double dBytes = 0;
    int nCount = 0;
    ForEachFile(strFolder, [&](const std::string& strPath) {
        dBytes += static_cast<double>(strPath.size());
        ++nCount;
    });
    return nCount ? dBytes / nCount : 0;
}

// The floor of a run that finds nothing to do: every entry of both trees
// listed once, one search per folder, nothing else.
double TimeListingBothTrees(const std::string& strSource, const std::string& strMirror) {
    double dStart = Now();
    int nEntries = 0;
    ForEachFile(strSource, [&](const std::string&) { ++nEntries; });
    ForEachFile(strMirror, [&](const std::string&) { ++nEntries; });
    return Now() - dStart;
}

bool ReadWholeFile(const std::string& strPath, std::string& strOut) {
    HANDLE h = OpenFileAt(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL);
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
    HANDLE h =
        OpenFileAt(strPath.c_str(), GENERIC_WRITE, 0, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL);
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

// Size of a file and a checksum of its whole content, read in large blocks
// (the large-file case has nothing else to compare the copy with).
bool Fingerprint(const std::string& strPath, ULONGLONG& nSize, ULONGLONG& nSum) {
    HANDLE h = OpenFileAt(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    static ULONGLONG buffer[1 << 17];
    nSize = 0;
    nSum = 1469598103934665603ull;
    DWORD dwRead = 0;
    while (ReadFile(h, buffer, sizeof buffer, &dwRead, nullptr) && dwRead) {
        nSize += dwRead;
        size_t nWords = dwRead / sizeof buffer[0];
        for (size_t i = 0; i < nWords; ++i)
            nSum = (nSum ^ buffer[i]) * 1099511628211ull;
        const unsigned char* pTail = reinterpret_cast<const unsigned char*>(buffer + nWords);
        for (DWORD i = static_cast<DWORD>(nWords * sizeof buffer[0]); i < dwRead; ++i)
            nSum = (nSum ^ *pTail++) * 1099511628211ull;
    }
    CloseHandle(h);
    return true;
}

// Files whose mirror copy differs in size or content.
int CountDifferentCopies(const std::string& strSource, const std::string& strMirror) {
    int nDifferent = 0;
    ForEachFile(strSource, [&](const std::string& strPath) {
        ULONGLONG nSizeA = 0, nSumA = 0, nSizeB = 1, nSumB = 1;
        Fingerprint(strPath, nSizeA, nSumA);
        Fingerprint(strMirror + strPath.substr(strSource.size()), nSizeB, nSumB);
        if (nSizeA != nSizeB || nSumA != nSumB)
            ++nDifferent;
    });
    return nDifferent;
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
    std::printf("RESULT survey_%s=%.3f\n", pszKey, result.dSurveySeconds);
    std::fflush(stdout);
}

void CheckRun(const char* pszTitle, const RunResult& result, int nFiles, int nNew, int nUpdated) {
    std::string strPrefix(pszTitle);
    Check((strPrefix + ": status").c_str(), result.nStatus, 0);
    Check((strPrefix + ": files seen").c_str(), result.nTotal, nFiles);
    Check((strPrefix + ": new").c_str(), result.nNew, nNew);
    Check((strPrefix + ": updated").c_str(), result.nUpdated, nUpdated);
    Check((strPrefix + ": deleted").c_str(), result.nDeleted, 0);
}

struct Memory {
    SIZE_T nWorkingSet = 0;
    SIZE_T nPeakWorkingSet = 0;
};

Memory ReadMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    Memory memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        memory.nWorkingSet = counters.WorkingSetSize;
        memory.nPeakWorkingSet = counters.PeakWorkingSetSize;
    }
    return memory;
}

// Peak working set of the first backup above the idle process, per file
// the survey listed for copy. The peak is the process's high-water mark, so
// it is read right after the first backup, the run with the longest list.
void ReportMemory(const Memory& idle, const Memory& afterFirst, int nListed) {
    double dMiB = 1024.0 * 1024.0;
    double dAbove =
        static_cast<double>(afterFirst.nPeakWorkingSet) - static_cast<double>(idle.nWorkingSet);
    std::printf("memory: idle working set %.1f MiB, peak after the first backup %.1f MiB, "
                "%.0f bytes above idle for %d listed files\n",
                static_cast<double>(idle.nWorkingSet) / dMiB,
                static_cast<double>(afterFirst.nPeakWorkingSet) / dMiB, dAbove, nListed);
    std::printf("RESULT idle_working_set_mib=%.1f\n", static_cast<double>(idle.nWorkingSet) / dMiB);
    std::printf("RESULT peak_working_set_mib=%.1f\n",
                static_cast<double>(afterFirst.nPeakWorkingSet) / dMiB);
    std::printf("RESULT bytes_per_listed_file=%.0f\n", nListed ? dAbove / nListed : 0.0);
}

struct Options {
    bool bSkipChanged = false;
    bool bOnlyFirst = false;
    int nRepeat = 1;
    std::string strSource, strDestination;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--skip-changed") == 0)
            options.bSkipChanged = true;
        else if (std::strcmp(argv[i], "--only-first") == 0)
            options.bOnlyFirst = true;
        else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            options.nRepeat = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--workers") == 0 && i + 1 < argc)
            g_nWorkers = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--alone-size") == 0 && i + 1 < argc)
            g_nAloneSize = std::strtoull(argv[++i], nullptr, 10);
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 2 || options.nRepeat < 1)
        return false;
    options.strSource = positional[0];
    options.strDestination = positional[1];
    return true;
}

// The first backup of a tree of one large file: how fast it was copied and
// whether the bar moved while it was.
int RunFirstOnly(const Options& options, const std::string& strMirror, int nFiles) {
    RunResult first = RunBackup(options.strSource, options.strDestination);
    Report("first", "first backup", first);
    std::printf("progress bar: range 0..%d, %zu positions shown between empty and full\n",
                first.nRangeMax, first.inBetween.size());
    std::printf("RESULT progress_positions=%zu\n", first.inBetween.size());
    std::printf("checks:\n");
    CheckRun("first", first, nFiles, nFiles, 0);
    Check("copies that differ from their source",
          CountDifferentCopies(options.strSource, strMirror), 0);
    std::printf("RESULT checks_failed=%d\n", g_nFailures);
    return g_nFailures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: bench_backup [--skip-changed] [--only-first] [--repeat N] "
                             "[--workers N] [--alone-size N] SOURCE DESTINATION\n");
        return 2;
    }
    Memory idle = ReadMemory();
    const std::string& strSource = options.strSource;
    const std::string& strDestination = options.strDestination;
    std::string strMirror = MirrorOf(strSource, strDestination);
    std::string strHistory = Join(Join(strDestination, HISTORY_FOLDER_NAME), "bk1");
    CreateDirectoryA(strDestination.c_str(), nullptr);
    int nFiles = CountFiles(strSource);
    double dPathLength = MeanPathLength(strSource);
    std::printf("source %s: %d files, paths of %.0f bytes on average\n", strSource.c_str(), nFiles,
                dPathLength);
    std::printf("RESULT files=%d\n", nFiles);
    std::printf("RESULT path_bytes=%.0f\n", dPathLength);
    if (options.bOnlyFirst)
        return RunFirstOnly(options, strMirror, nFiles);

    RunResult first = RunBackup(strSource, strDestination);
    Memory afterFirst = ReadMemory();
    Report("first", "first backup", first);
    RunResult unchanged = RunBackup(strSource, strDestination);
    double dListing = TimeListingBothTrees(strSource, strMirror);
    for (int i = 1; i < options.nRepeat; ++i) {
        RunResult again = RunBackup(strSource, strDestination);
        if (again.dSeconds < unchanged.dSeconds)
            unchanged = again;
        dListing = std::min(dListing, TimeListingBothTrees(strSource, strMirror));
    }
    Report("nochange", "no-change backup", unchanged);
    std::printf("listing both trees: %.2f s\n", dListing);
    std::printf("RESULT list_both=%.3f\n", dListing);
    RunResult partial;
    std::vector<std::string> changed;
    if (!options.bSkipChanged) {
        changed = ChangeFiles(strSource);
        partial = RunBackup(strSource, strDestination);
        Report("changed", "backup after 1 % changed", partial);
        std::printf("RESULT changed_files=%zu\n", changed.size());
    }
    ReportMemory(idle, afterFirst, first.nNew + first.nUpdated);

    std::printf("checks:\n");
    CheckRun("first", first, nFiles, nFiles, 0);
    CheckRun("no change", unchanged, nFiles, 0, 0);
    Check("files in the mirror", CountFiles(strMirror), nFiles);
    if (!options.bSkipChanged) {
        int nChanged = static_cast<int>(changed.size());
        Check("files rewritten for the 1 % run", nChanged, nFiles / CHANGE_EVERY);
        CheckRun("1 % changed", partial, nFiles, 0, nChanged);
        Check("changed files with stale mirror content",
              CountStaleMirrors(changed, strSource, strMirror), 0);
        Check("old versions in history generation 1", CountFiles(strHistory), nChanged);
    }
    std::printf("RESULT checks_failed=%d\n", g_nFailures);
    return g_nFailures ? 1 : 0;
}
