// CDropHandle: the files of one WM_DROPFILES message. The system hands the
// receiver a block of memory for each drop; the holder releases it when it
// goes, so a handler that returns early, or a window that takes no files,
// never leaks it.
//
//     LRESULT CMyView::OnDropFiles(WPARAM wParam, LPARAM) {
//         CDropHandle drop(wParam);
//         for (UINT i = 0; i < drop.GetCount(); i++) ...
//     }
#pragma once

#include "String.h"

#include <shellapi.h>

class CDropHandle {
public:
    explicit CDropHandle(WPARAM wParam) : m_hDrop(reinterpret_cast<HDROP>(wParam)) {}
    CDropHandle(const CDropHandle&) = delete;
    CDropHandle& operator=(const CDropHandle&) = delete;
    ~CDropHandle() { Release(); }

    UINT GetCount() const;
    // The length of item i's path in bytes, without the NUL.
    UINT GetPathLength(UINT nIndex) const;
    // Item i's path, cut to nBuffer - 1 bytes; returns the bytes copied.
    UINT GetPath(UINT nIndex, char* pszBuffer, UINT nBuffer) const;
    // Item i's path as the shell gave it, put into the code page. False when
    // the code page cannot hold all of it: the ANSI path would then name a
    // look-alike (Café as Cafe, a yen sign as a backslash), so strPath holds
    // "?" for each missing character and only serves to show the path.
    bool GetExactPath(UINT nIndex, CString& strPath) const;
    // Gives the memory back to the system; the holder is then empty.
    void Release();

private:
    HDROP m_hDrop;
};
