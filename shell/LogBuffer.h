// The in-memory activity log behind the log panel: at most 50 lines, the
// panel showing three of them from m_nTop on. Nothing of it is saved.
#pragma once

#include "String.h"

class CLogBuffer {
public:
    // Most lines held; the oldest goes when one more is added.
    static const int MAX_LINES = 50;
    // Lines the panel has room for.
    static const int SHOWN_LINES = 3;

    void Clear();
    // Adds a line (without line feed) and shows the newest lines once more
    // than the panel holds are there; returns the new m_nTop.
    int AddLine(const char* pszText);
    // The held text from line m_nTop on.
    CString GetVisibleText() const;
    // One line up or down; false (strText untouched) when it cannot move.
    bool ScrollUp(CString& strText);
    bool ScrollDown(CString& strText);

    int m_nTop = 0;
    int m_nLines = 0;
    CString m_strText; // each line followed by one line feed, oldest first
};
