#include "ExactText.h"

#include <cstring>
#include <cwchar>

#include "MultiByte.h"

namespace {

const char HEX[] = "0123456789ABCDEF";

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The code page's bytes of the units, when they come back as the same
// units: the one conversion that keeps a name as it is.
bool ToCodePageExactly(const wchar_t* pszWide, int nUnits, std::string& strOut) {
    strOut.assign(static_cast<size_t>(nUnits) * 2, '\0');
    BOOL bUsedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, pszWide, nUnits, &strOut[0],
                                static_cast<int>(strOut.size()), nullptr, &bUsedDefault);
    if (n <= 0 || bUsedDefault)
        return false;
    strOut.resize(static_cast<size_t>(n));
    std::wstring back(static_cast<size_t>(nUnits) + 1, L'\0');
    int nBack = MultiByteToWideChar(CP_ACP, 0, strOut.data(), n, &back[0], nUnits + 1);
    return nBack == nUnits && std::wmemcmp(back.data(), pszWide, static_cast<size_t>(nUnits)) == 0;
}

void AppendEscape(std::string& str, wchar_t ch) {
    str += NAME_ESCAPE;
    for (int nShift = 12; nShift >= 0; nShift -= 4)
        str += HEX[(ch >> nShift) & 0xF];
}

bool IsDriveOrShareRoot(const std::wstring& path) {
    return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') ||
           path.compare(0, 2, L"\\\\") == 0;
}

// A name of the path, other than . and .., that ends in a dot or a space.
bool HasNameTheSystemWouldTrim(const std::wstring& path) {
    size_t nStart = 0;
    while (nStart <= path.size()) {
        size_t nEnd = path.find(L'\\', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = path.size();
        std::wstring name = path.substr(nStart, nEnd - nStart);
        if (!name.empty() && name != L"." && name != L".." &&
            (name.back() == L'.' || name.back() == L' '))
            return true;
        nStart = nEnd + 1;
    }
    return false;
}

} // namespace

bool IsReachableName(const wchar_t* pszName) {
    for (const wchar_t* p = pszName; *p; ++p) {
        if (*p < 0x20 || std::wcschr(L"\\/*?\"<>|", *p))
            return false;
    }
    return true;
}

CString ExactNameText(const wchar_t* pszName) {
    int nUnits = static_cast<int>(std::wcslen(pszName));
    std::string str;
    if (ToCodePageExactly(pszName, nUnits, str) && str.find(NAME_ESCAPE) == std::string::npos)
        return CString(str.c_str());
    // Unit by unit: what the code page holds as it is, the rest escaped
    // (the escape byte itself too, should a name hold one).
    std::string strOut, strChar;
    for (int i = 0; i < nUnits; ++i) {
        if (pszName[i] != L'\x01' && ToCodePageExactly(pszName + i, 1, strChar))
            strOut += strChar;
        else
            AppendEscape(strOut, pszName[i]);
    }
    return CString(strOut.c_str());
}

bool HasNameEscapes(const char* pszText) {
    return std::strchr(pszText, NAME_ESCAPE) != nullptr;
}

std::wstring WideOfText(const char* pszText) {
    if (!HasNameEscapes(pszText))
        return ToWide(pszText);
    std::wstring wide;
    const char* p = pszText;
    while (*p) {
        const char* pEscape = std::strchr(p, NAME_ESCAPE);
        std::string run(p, pEscape ? static_cast<size_t>(pEscape - p) : std::strlen(p));
        wide += ToWide(run.c_str());
        if (!pEscape)
            break;
        int nUnit = 0;
        int i = 1;
        for (; i <= 4 && HexValue(pEscape[i]) >= 0; ++i)
            nUnit = nUnit * 16 + HexValue(pEscape[i]);
        wide += static_cast<wchar_t>(i == 5 ? nUnit : 0xFFFD); // a cut escape is no name
        p = pEscape + i;
    }
    return wide;
}

std::wstring SystemPathOf(const char* pszPath) {
    std::wstring path = WideOfText(pszPath);
    if (path.compare(0, 4, L"\\\\?\\") == 0 || !IsDriveOrShareRoot(path))
        return path;
    if (path.size() < LONG_FORM_FROM && !HasNameTheSystemWouldTrim(path))
        return path;
    if (path[1] == L':')
        return L"\\\\?\\" + path;
    return L"\\\\?\\UNC\\" + path.substr(2);
}

CString ShownText(const char* pszText) {
    if (!HasNameEscapes(pszText))
        return pszText;
    std::string str;
    ToCodePage(WideOfText(pszText).c_str(), str);
    return CString(str.c_str());
}
