#include "PathText.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "ExactText.h"
#include "FileFind.h"

namespace {

// Index of the last character of the text (its first byte); -1 for "".
int LastCharIndex(const char* psz) {
    int nLast = -1;
    for (int i = 0; psz[i]; i += CharLengthAt(psz + i))
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
    for (int i = 0; pszPath[i]; i += CharLengthAt(pszPath + i)) {
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
            std::strcpy(pszPath + CharLengthAt(pszPath), " root");
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
        return CString(pszPath, CharLengthAt(pszPath)) + " root";
    }
    // The path itself, looked up as a name: it finds at most that entry.
    CFileFind finder;
    if (HasWildcard(pszPath) || !finder.FindFile(pszPath))
        return CString();
    finder.FindNextFile();
    return finder.IsNameExact() ? finder.GetFileName() : CString();
}

bool HasWildcard(const char* pszPath) {
    return std::strpbrk(pszPath, "?*") != nullptr;
}

bool IsPlainPathText(const char* pszPath) {
    return !HasWildcard(pszPath) && IsCodePageText(pszPath);
}

bool EndsWithBackslash(const char* pszPath) {
    int nLast = LastCharIndex(pszPath);
    return nLast >= 0 && pszPath[nLast] == '\\';
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
        for (int i = 0; pszPath[i] && i + CharLengthAt(pszPath + i) <= nMax;
             i += CharLengthAt(pszPath + i))
            nEnd = i + CharLengthAt(pszPath + i);
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

CString ShownShortPath(const char* pszPath, int nMax) {
    CString strShown = ShownText(pszPath);
    if (strShown.GetLength() >= MAX_PATH)
        strShown = CString(strShown, 3) + "...\\" + GetLastComponent(strShown);
    char sz[MAX_PATH];
    std::strncpy(sz, strShown, MAX_PATH - 1);
    sz[MAX_PATH - 1] = '\0';
    ShortenPath(sz, nMax);
    return sz;
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

namespace {

// The components of text separated by real backslashes, empty ones
// included.
std::vector<std::string> SplitAtBackslashes(const char* psz) {
    std::vector<std::string> parts(1);
    for (int i = 0; psz[i]; i += CharLengthAt(psz + i)) {
        if (psz[i] == '\\')
            parts.emplace_back();
        else
            parts.back().append(psz + i, static_cast<size_t>(CharLengthAt(psz + i)));
    }
    return parts;
}

bool IsDeviceName(const char* pszName) {
    // The device is the part before the first dot, blanks at its end
    // ignored: "con", "CON.txt" and "nul .log" all name devices.
    std::string base(pszName, std::strcspn(pszName, "."));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& ch : base)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* pszDevice : kDevices)
        if (base == pszDevice)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

bool IsRealName(const char* pszName) {
    size_t nLength = std::strlen(pszName);
    if (nLength == 0 || pszName[nLength - 1] == '.' || pszName[nLength - 1] == ' ')
        return false; // also "." and ".."
    for (int i = 0; pszName[i]; i += CharLengthAt(pszName + i)) {
        unsigned char ch = static_cast<unsigned char>(pszName[i]);
        if (IsDoubleByteAt(pszName + i))
            continue;
        if (ch < 0x20 || std::strchr("\\/:*?\"<>|", ch))
            return false;
    }
    return !IsDeviceName(pszName);
}

bool NormalizeFolderPath(const char* pszPath, CString& strOut) {
    std::vector<std::string> parts = SplitAtBackslashes(pszPath);
    std::string result;
    size_t nFirst;
    bool bDrive = parts.size() >= 2 && parts[0].size() == 2 && parts[0][1] == ':' &&
                  std::isalpha(static_cast<unsigned char>(parts[0][0]));
    bool bShare = parts.size() >= 4 && parts[0].empty() && parts[1].empty() &&
                  IsRealName(parts[2].c_str()) && IsRealName(parts[3].c_str());
    if (bDrive) {
        result = parts[0] + "\\";
        nFirst = 1;
    } else if (bShare) {
        result = "\\\\" + parts[2] + "\\" + parts[3];
        nFirst = 4;
    } else {
        return false;
    }
    // Only a drive root ends in its separator; result.back() cannot tell,
    // since a name may end in a trail byte 0x5C.
    bool bNeedSeparator = !bDrive;
    for (size_t i = nFirst; i < parts.size(); ++i) {
        if (parts[i].empty() || parts[i] == ".")
            continue;
        if (!IsRealName(parts[i].c_str()))
            return false;
        if (bNeedSeparator)
            result += '\\';
        result += parts[i];
        bNeedSeparator = true;
    }
    if (result.size() >= MAX_PATH)
        return false;
    strOut = CString(result);
    return true;
}

namespace {

std::wstring FoldWide(const std::wstring& wide) {
    std::wstring folded(wide.size(), L'\0');
    int nFolded =
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                     &folded[0], static_cast<int>(folded.size()));
    return nFolded > 0 ? folded.substr(0, static_cast<size_t>(nFolded)) : wide;
}

} // namespace

std::wstring FoldCase(const std::string& text) {
    if (text.find(NAME_ESCAPE) != std::string::npos)
        return FoldWide(WideOfText(text.c_str()));
    int nText = static_cast<int>(text.size());
    int nWide = MultiByteToWideChar(CP_ACP, 0, text.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), nText, &wide[0], nWide);
    return FoldWide(wide);
}

bool FoldersOverlap(const char* pszA, const char* pszB) {
    std::wstring a = FoldCase(pszA), b = FoldCase(pszB);
    if (a.size() > b.size())
        std::swap(a, b);
    if (b.compare(0, a.size(), a) != 0)
        return false;
    // Equal, or the longer goes on below the shorter: after its own
    // backslash (a drive root) or after one of its own.
    return a.size() == b.size() || (!a.empty() && a.back() == L'\\') || b[a.size()] == L'\\';
}
