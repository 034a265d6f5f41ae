#include "FileFacts.h"

#include "FileOps.h"

namespace {

bool SameFileTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

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

CFileFacts FactsOf(const WIN32_FIND_DATAA& data) {
    return FactsOfData(data);
}

CFileFacts FactsOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return FactsOfData(data);
}

bool FactsMatch(const CFileFacts& source, const CFileFacts& mirror) {
    if (source.dwAttributes != mirror.dwAttributes || source.nSize != mirror.nSize)
        return false;
    // Identical file times are equal in any unit; only times that differ
    // need the conversion to whole local seconds, which costs far more than
    // the rest of the comparison.
    if (!SameFileTime(source.ftLastWrite, mirror.ftLastWrite) &&
        CTime(source.ftLastWrite) != CTime(mirror.ftLastWrite))
        return false;
    return SameFileTime(source.ftCreation, mirror.ftCreation) ||
           CreationTimesMatch(CTime(source.ftCreation), CTime(mirror.ftCreation));
}
