#include "SecretBuffer.h"

#include <cstring>

bool CSecretBuffer::Set(const char* pszText) {
    Wipe();
    size_t nLength = std::strlen(pszText);
    if (nLength >= sizeof m_sz)
        return false;
    std::memcpy(m_sz, pszText, nLength + 1);
    return true;
}

void CSecretBuffer::Wipe() {
    // Unlike memset, never left out as a store to memory about to die.
    ::SecureZeroMemory(m_sz, sizeof m_sz);
}

void WipeString(CString& str) {
    int nLength = str.GetLength();
    if (nLength > 0)
        ::SecureZeroMemory(str.GetBuffer(nLength), nLength);
    str.Empty();
}
