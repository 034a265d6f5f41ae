#include "ProgressCtrl.h"

bool CProgressCtrl::SetRange(int nLower, int nUpper) {
    if (nLower < 0 || nUpper > 0xFFFF || nLower > nUpper)
        return false;
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    return true;
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}
