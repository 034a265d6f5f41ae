#include "PathText.h"

#include <cstring>
#include <string>

#include "Handle.h"

namespace {

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}
bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length of the character at p: 2 for a double-byte character, else 1.
int CharLength(const char* p) {
    return IsDoubleByteAt(p) ? 2 : 1;
}

// Index of the last character of the text (its first byte); -1 for "".
int LastCharIndex(const char* psz) {
    int nLast = -1;
    for (int i = 0; psz[i]; i += CharLength(psz + i))
        nLast = i;
    return nLast;
}

bool CopyBounded(char* pszOut, const char* pszIn) {
    size_t n = std::strlen(pszIn);
    if (n >= MAX_PATH) {
        pszOut[0] = '\0';
        return false;
    }
    std::memmove(pszOut, pszIn, n + 1);
    return true;
}

} // namespace

bool IsDoubleByteAt(const char* p) {
    return IsLeadByte(static_cast<unsigned char>(p[0])) &&
           IsTrailByte(static_cast<unsigned char>(p[1]));
}

int AddBackslash(char* pszPath) {
    int nLength = static_cast<int>(std::strlen(pszPath));
    int nLast = LastCharIndex(pszPath);
    if (nLast < 0 || (nLast == nLength - 1 && pszPath[nLast] == '\\'))
        return nLength;
    if (nLength + 1 >= MAX_PATH)
        return -1;
    pszPath[nLength] = '\\';
    pszPath[nLength + 1] = '\0';
    return nLength + 1;
}

void AddBackslash(CString& strPath) {
    int nLast = LastCharIndex(strPath);
    if (nLast < 0 || (nLast == strPath.GetLength() - 1 && strPath[nLast] == '\\'))
        return;
    strPath += '\\';
}

bool JoinPath(char* pszOut, const char* pszFolder, const char* pszName) {
    char sz[MAX_PATH];
    if (!CopyBounded(sz, pszFolder) || AddBackslash(sz) < 0) {
        pszOut[0] = '\0';
        return false;
    }
    size_t nFolder = std::strlen(sz);
    size_t nName = std::strlen(pszName);
    if (nFolder + nName >= MAX_PATH) {
        pszOut[0] = '\0';
        return false;
    }
    std::memcpy(pszOut, sz, nFolder);
    std::memcpy(pszOut + nFolder, pszName, nName + 1);
    return true;
}

CString JoinPath(const CString& strFolder, const char* pszName) {
    CString str(strFolder);
    AddBackslash(str);
    str += pszName;
    return str;
}

int FindBackslash(const char* pszPath, bool bFirst) {
    int nFound = -1;
    for (int i = 0; pszPath[i]; i += CharLength(pszPath + i)) {
        if (pszPath[i] == '\\') {
            if (bFirst)
                return i;
            nFound = i;
        }
    }
    return nFound;
}

void GetLastComponent(char* pszPath) {
    size_t nLength = std::strlen(pszPath);
    if (nLength <= 3) {
        // "D:\" gives "D root"; an empty path stays empty. A double-byte
        // first character is kept whole.
        if (nLength > 0)
            std::strcpy(pszPath + CharLength(pszPath), " root");
        return;
    }
    int nCut = FindBackslash(pszPath, false);
    if (nCut >= 0)
        std::memmove(pszPath, pszPath + nCut + 1, nLength - nCut);
}

CString GetLastComponent(const CString& strPath) {
    if (strPath.GetLength() >= MAX_PATH) {
        int nCut = FindBackslash(strPath, false);
        return nCut >= 0 ? strPath.Mid(nCut + 1) : strPath;
    }
    char sz[MAX_PATH];
    std::strcpy(sz, strPath);
    GetLastComponent(sz);
    return sz;
}

CString GetFolderTitle(const char* pszPath) {
    size_t nLength = std::strlen(pszPath);
    if (nLength <= 3) {
        if (nLength < 2)
            return CString();
        return CString(pszPath, CharLength(pszPath)) + " root";
    }
    WIN32_FIND_DATAA data;
    if (!CFindHandle(FindFirstFileA(pszPath, &data)).IsValid())
        return CString();
    return data.cFileName;
}

// The last component is kept whole and the folders before it are dropped
// from the right, "\.. " marking the gap:
//   E:\Documents\Projects\2000\March\report.doc, 30 -> E:\Documents\.. \report.doc
// A path without any backslash is cut to its first nMax bytes, ending on a
// character boundary.
void ShortenPath(char* pszPath, int nMax) {
    int nLength = static_cast<int>(std::strlen(pszPath));
    if (nLength <= nMax || nMax < 0)
        return;
    int nCut = FindBackslash(pszPath, false);
    if (nCut < 0) {
        int nEnd = 0;
        for (int i = 0; pszPath[i] && i + CharLength(pszPath + i) <= nMax;
             i += CharLength(pszPath + i))
            nEnd = i + CharLength(pszPath + i);
        pszPath[nEnd] = '\0';
        return;
    }
    std::string strName(pszPath + nCut);
    int nName = nLength - nCut;
    if (nName + 7 > nMax) {
        std::memmove(pszPath, strName.c_str(), strName.size() + 1);
        return;
    }
    pszPath[nCut] = '\0';
    while (static_cast<int>(std::strlen(pszPath)) + nName + 3 >= nMax) {
        int nHeadCut = FindBackslash(pszPath, false);
        if (nHeadCut < 0) {
            pszPath[0] = '\0';
            break;
        }
        pszPath[nHeadCut] = '\0';
    }
    std::strcat(pszPath, "\\.. ");
    std::strcat(pszPath, strName.c_str());
}

bool GetShareName(const char* pszPath, char* pszOut) {
    if (pszPath[0] != '\\' || pszPath[1] != '\\')
        return false;
    int nServerEnd = FindBackslash(pszPath + 2, true);
    size_t nLength = std::strlen(pszPath);
    if (nServerEnd >= 0) {
        int nShareEnd = FindBackslash(pszPath + 2 + nServerEnd + 1, true);
        if (nShareEnd >= 0)
            nLength = static_cast<size_t>(2 + nServerEnd + 1 + nShareEnd);
    }
    if (nLength >= MAX_PATH)
        nLength = MAX_PATH - 1;
    std::memmove(pszOut, pszPath, nLength);
    pszOut[nLength] = '\0';
    return true;
}

bool HasListedExtension(const char* pszPath, const char* pszList) {
    int nCut = FindBackslash(pszPath, false);
    const char* pszName = nCut >= 0 ? pszPath + nCut + 1 : pszPath;
    // A dot is never a trail byte, so the first byte 0x2E is the first dot.
    const char* pszDot = std::strchr(pszName, '.');
    CString strExtension(pszDot ? pszDot + 1 : "");
    strExtension.MakeLower();

    const char* p = pszList;
    while (*p) {
        const char* pszComma = std::strchr(p, ',');
        size_t nItem = pszComma ? static_cast<size_t>(pszComma - p) : std::strlen(p);
        if (nItem == static_cast<size_t>(strExtension.GetLength()) &&
            std::memcmp(p, strExtension, nItem) == 0)
            return true;
        p += nItem;
        if (*p == ',')
            ++p;
    }
    return false;
}
