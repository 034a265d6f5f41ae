// Multi-byte string of the ANSI code page (932 for this program).
// Lengths and indices are in bytes. Searches are byte-wise: looking for a
// byte that can be a trail byte (such as a backslash) must go through the
// path functions, which know the double-byte rule.
#pragma once

#include <string>
#include "Types.h"

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::string& str) : m_str(str) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    char GetAt(int nIndex) const { return m_str.at(nIndex); }
    char operator[](int nIndex) const { return m_str.at(nIndex); }
    void SetAt(int nIndex, char ch) { m_str.at(nIndex) = ch; }

    CString& operator=(const char* psz);
    CString& operator+=(const char* psz);
    CString& operator+=(const CString& str);
    CString& operator+=(char ch);

    int Compare(const char* psz) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;

    // Case mapping by the system's rules for the ANSI code page, so
    // double-byte letters are handled whole.
    void MakeLower();
    void MakeUpper();

    void Format(const char* pszFormat, ...);

    // Direct access for APIs that write into a buffer; ReleaseBuffer(-1)
    // takes the length up to the first NUL.
    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);

inline bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, const char* b) {
    return !(a == b);
}
inline bool operator!=(const char* a, const CString& b) {
    return !(b == a);
}
inline bool operator<(const CString& a, const CString& b) {
    return a.str() < b.str();
}

// A whole number in decimal digits, as the result windows and the log show
// counts: "1234", "-1".
CString Decimal(long long nValue);
