#include "MultiByte.h"

#include <windows.h>

bool IsLeadByte(unsigned char ch) {
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

bool IsTrailByte(unsigned char ch) {
    return (ch >= 0x40 && ch <= 0x7E) || (ch >= 0x80 && ch <= 0xFC);
}

bool IsDoubleByteAt(const char* p) {
    return IsLeadByte(static_cast<unsigned char>(p[0])) &&
           IsTrailByte(static_cast<unsigned char>(p[1]));
}

int CharLengthAt(const char* p) {
    return IsDoubleByteAt(p) ? 2 : 1;
}

std::wstring ToWide(const char* psz) {
    int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

bool ToCodePage(const wchar_t* pszWide, std::string& strOut) {
    // Every UTF-16 unit becomes at most two bytes.
    int nWide = lstrlenW(pszWide);
    strOut.assign(static_cast<size_t>(nWide) * 2 + 1, '\0');
    BOOL bUsedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, pszWide, nWide + 1, &strOut[0],
                                static_cast<int>(strOut.size()), nullptr, &bUsedDefault);
    strOut.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return n > 0 && !bUsedDefault;
}

bool IsCodePageText(const char* psz) {
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, psz, -1, nullptr, 0) > 0;
}
