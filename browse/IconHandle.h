// An icon handle from the shell, destroyed when the holder goes.
#pragma once

#include <windows.h>

class CIconHandle {
public:
    explicit CIconHandle(HICON hIcon) : m_hIcon(hIcon) {}
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;
    ~CIconHandle() {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
    }
    HICON Get() const { return m_hIcon; }

private:
    HICON m_hIcon;
};
