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
        CString strText = finder.GetFileName();
        m_entries.push_back({static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(nLength),
                             static_cast<uint32_t>(m_texts.size()), finder.IsNameReachable(),
                             finder.IsFolderLink(), FactsOf(finder)});
        m_names.append(pszName, nLength);
        m_texts.append(strText, strText.GetLength() + 1);
    }
    finder.Close();
    m_sorted.resize(m_entries.size());
    for (size_t i = 0; i < m_sorted.size(); ++i)
        m_sorted[i] = static_cast<uint32_t>(i);
    std::sort(m_sorted.begin(), m_sorted.end(), [this](uint32_t a, uint32_t b) {
        const CEntry& second = m_entries[b];
        return CompareIgnoringCase(m_entries[a], m_names.data() + second.nNameStart,
                                   static_cast<int>(second.nNameLength)) < 0;
    });
    return true;
}

void CFolderListing::Clear() {
    m_entries.clear();
    m_sorted.clear();
    m_names.clear();
    m_texts.clear();
}

int CFolderListing::CompareIgnoringCase(const CEntry& entry, const wchar_t* pszName,
                                        int nLength) const {
    return CompareNames(m_names.data() + entry.nNameStart, static_cast<int>(entry.nNameLength),
                        pszName, nLength, true);
}

const CFileFacts* CFolderListing::Find(const char* pszName) const {
    size_t nIndex = IndexOf(pszName);
    return nIndex == NONE ? nullptr : &m_entries[nIndex].facts;
}

size_t CFolderListing::IndexOf(const char* pszName) const {
    wchar_t szBuffer[MAX_PATH];
    std::wstring wide;
    int nLength = WideName(pszName, szBuffer, MAX_PATH, wide);
    if (nLength < 0)
        return NONE;
    const wchar_t* szWide = wide.empty() ? szBuffer : wide.c_str();
    auto first = std::lower_bound(m_sorted.begin(), m_sorted.end(), 0, [&](uint32_t nEntry, int) {
        return CompareIgnoringCase(m_entries[nEntry], szWide, nLength) < 0;
    });
    size_t nFound = NONE;
    for (auto it = first; it != m_sorted.end(); ++it) {
        const CEntry& entry = m_entries[*it];
        if (CompareIgnoringCase(entry, szWide, nLength) != 0)
            break;
        // Names that differ in case only can both exist where the file
        // system keeps case (a Linux folder under wine); the exact one is
        // the one an open of that name would reach.
        if (nFound == NONE)
            nFound = *it;
        if (CompareNames(m_names.data() + entry.nNameStart, static_cast<int>(entry.nNameLength),
                         szWide, nLength, false) == 0)
            return *it;
    }
    return nFound;
}
