#include "FolderListing.h"

#include <algorithm>
#include <cwchar>

#include "ExactText.h"
#include "FileFind.h"
#include "PathCalls.h"
#include "PathText.h"

namespace {

// UTF-16 of a name text; the length, or -1. A name of the code page needs
// no allocation, one with escapes is decoded into wide.
int WideName(const char* pszName, wchar_t* pszOut, int nOutLength, std::wstring& wide) {
    if (HasNameEscapes(pszName)) {
        wide = WideOfText(pszName);
        return static_cast<int>(wide.size());
    }
    int n = MultiByteToWideChar(CP_ACP, 0, pszName, -1, pszOut, nOutLength);
    return n > 0 ? n - 1 : -1;
}

// The file system's own rule for names: ordinal, letter case ignored.
int CompareNames(const wchar_t* pszA, int nA, const wchar_t* pszB, int nB, bool bIgnoreCase) {
    return CompareStringOrdinal(pszA, nA, pszB, nB, bIgnoreCase) - CSTR_EQUAL;
}

} // namespace

bool CFolderListing::List(const char* pszFolder) {
    Clear();
    CFileFind finder;
    if (!finder.FindFile(JoinPath(CString(pszFolder), "*.*"))) {
        // A drive root has no "." entry: an empty one finds nothing at all.
        // Only a folder that is there is empty, though.
        DWORD dwError = GetLastError();
        bool bEmpty = dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_NO_MORE_FILES;
        DWORD dwAttributes = bEmpty ? GetAttributesAt(pszFolder) : INVALID_FILE_ATTRIBUTES;
        SetLastError(dwError);
        return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        // Kept under the name the file system stores, so that a name of the
        // code page never finds an entry the code page only approximates
        // (resume.txt is not résumé.txt).
        const wchar_t* pszName = finder.GetWideFileName();
        size_t nLength = std::wcslen(pszName);
        m_entries.push_back({static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(nLength),
                             FactsOf(finder)});
        m_names.append(pszName, nLength);
    }
    finder.Close();
    std::sort(m_entries.begin(), m_entries.end(), [this](const CEntry& a, const CEntry& b) {
        return CompareIgnoringCase(a, m_names.data() + b.nNameStart,
                                   static_cast<int>(b.nNameLength)) < 0;
    });
    return true;
}

void CFolderListing::Clear() {
    m_entries.clear();
    m_names.clear();
}

int CFolderListing::CompareIgnoringCase(const CEntry& entry, const wchar_t* pszName,
                                        int nLength) const {
    return CompareNames(m_names.data() + entry.nNameStart, static_cast<int>(entry.nNameLength),
                        pszName, nLength, true);
}

const CFileFacts* CFolderListing::Find(const char* pszName) const {
    wchar_t szBuffer[MAX_PATH];
    std::wstring wide;
    int nLength = WideName(pszName, szBuffer, MAX_PATH, wide);
    if (nLength < 0)
        return nullptr;
    const wchar_t* szWide = wide.empty() ? szBuffer : wide.c_str();
    auto first =
        std::lower_bound(m_entries.begin(), m_entries.end(), 0, [&](const CEntry& entry, int) {
            return CompareIgnoringCase(entry, szWide, nLength) < 0;
        });
    const CEntry* pFound = nullptr;
    for (auto it = first; it != m_entries.end() && CompareIgnoringCase(*it, szWide, nLength) == 0;
         ++it) {
        // Names that differ in case only can both exist where the file
        // system keeps case (a Linux folder under wine); the exact one is
        // the one an open of that name would reach.
        if (!pFound)
            pFound = &*it;
        if (CompareNames(m_names.data() + it->nNameStart, static_cast<int>(it->nNameLength), szWide,
                         nLength, false) == 0)
            return &it->facts;
    }
    return pFound ? &pFound->facts : nullptr;
}
