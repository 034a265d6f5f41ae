// CProgressCtrl: a progress bar with a 16-bit range.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // PBM_SETRANGE carries each bound in 16 bits. Bounds that do not fit
    // 0..65535 (or a lower bound above the upper) are refused and the range
    // stays: a caller that forgot to scale its values sees false rather
    // than a bar whose bounds wrapped round.
    bool SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Returns the previous position. The control keeps it inside the range.
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
