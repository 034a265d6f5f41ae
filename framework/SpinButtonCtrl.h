// CSpinButtonCtrl: an up-down control, usually with a buddy edit that shows
// its position. Ranges and positions are 32-bit.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CSpinButtonCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // nLower may exceed nUpper: the arrows then count the other way.
    void SetRange(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower),
                    reinterpret_cast<LPARAM>(&nUpper));
    }
    // Returns the previous position; the control keeps it inside the range.
    int SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    // With a buddy that shows the number (UDS_SETBUDDYINT) the position is
    // read from its text; *pbError is set when that text is no number in
    // the range.
    int GetPos(bool* pbError = nullptr) const;
    // Returns the previous buddy.
    HWND SetBuddy(HWND hWndBuddy) {
        return reinterpret_cast<HWND>(
            SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(hWndBuddy)));
    }
    HWND GetBuddy() const { return reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)); }
};
