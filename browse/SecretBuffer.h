// A fixed buffer for a password on its way to the system: it holds at
// most SECRET_BUFFER_SIZE - 1 bytes, and its bytes are overwritten with
// zeros by Wipe and when the holder goes, so the password does not stay
// behind in memory.
#pragma once

#include "String.h"

const int SECRET_BUFFER_SIZE = 260;

class CSecretBuffer {
public:
    CSecretBuffer() = default;
    CSecretBuffer(const CSecretBuffer&) = delete;
    CSecretBuffer& operator=(const CSecretBuffer&) = delete;
    ~CSecretBuffer() { Wipe(); }

    // False (and an empty buffer) when the text does not fit.
    bool Set(const char* pszText);
    const char* Get() const { return m_sz; }
    void Wipe();

private:
    char m_sz[SECRET_BUFFER_SIZE] = {};
};

// Overwrites the string's bytes with zeros and empties it.
void WipeString(CString& str);
