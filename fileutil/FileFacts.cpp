#include "FileFacts.h"

#include "FileOps.h"

namespace {

bool SameFileTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

ULONGLONG TicksOf(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// FAT keeps last-write times in steps of two seconds (and no drive tells
// its file system under wine), so a mirror copy there carries the source's
// time moved to such a step. A mirror time on a step, less than one step
// from the source's, is that copy's; on a drive that keeps exact times the
// copy carries the source's exact time and never gets here.
const ULONGLONG FAT_TIME_STEP = 2 * 10000000ULL; // in 100 ns ticks

bool IsFatStepOf(const FILETIME& source, const FILETIME& mirror) {
    ULONGLONG nSource = TicksOf(source), nMirror = TicksOf(mirror);
    if (nMirror % FAT_TIME_STEP != 0)
        return false;
    ULONGLONG nApart = nSource > nMirror ? nSource - nMirror : nMirror - nSource;
    return nApart < FAT_TIME_STEP;
}

// The attribute bits a copy carries to any drive, FAT's own. The others
// are kept by some file systems only (not indexed, temporary, offline) or
// are states of the storage that a copy never sets (compressed, encrypted,
// sparse, reparse point): compared, they would make a file look changed on
// every run.
const DWORD COPIED_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

} // namespace

namespace {

// A listing entry and a look-up by name give the facts in the same fields.
template <class TData> CFileFacts FactsOfData(const TData& data) {
    CFileFacts facts;
    facts.ftCreation = data.ftCreationTime;
    facts.ftLastWrite = data.ftLastWriteTime;
    facts.nSize = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    facts.dwAttributes = data.dwFileAttributes;
    return facts;
}

} // namespace

CFileFacts FactsOf(const CFileFind& finder) {
    CFileFacts facts;
    facts.ftCreation = finder.GetCreationTime();
    facts.ftLastWrite = finder.GetLastWriteTime();
    facts.nSize = finder.GetLength();
    facts.dwAttributes = finder.GetAttributes();
    return facts;
}

CFileFacts FactsOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return FactsOfData(data);
}

bool FactsMatch(const CFileFacts& source, const CFileFacts& mirror) {
    if (((source.dwAttributes ^ mirror.dwAttributes) & COPIED_ATTRIBUTES) ||
        source.nSize != mirror.nSize)
        return false;
    // Identical file times are equal in any unit; only times that differ
    // need the conversion to whole local seconds, which costs far more than
    // the rest of the comparison.
    if (!SameFileTime(source.ftLastWrite, mirror.ftLastWrite) &&
        !IsFatStepOf(source.ftLastWrite, mirror.ftLastWrite) &&
        CTime(source.ftLastWrite) != CTime(mirror.ftLastWrite))
        return false;
    return SameFileTime(source.ftCreation, mirror.ftCreation) ||
           CreationTimesMatch(CTime(source.ftCreation), CTime(mirror.ftCreation));
}
