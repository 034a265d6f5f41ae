#include "SpinButtonCtrl.h"

int CSpinButtonCtrl::GetPos(bool* pbError) const {
    BOOL bError = FALSE;
    int nPos = static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&bError)));
    if (pbError)
        *pbError = bError != FALSE;
    return nPos;
}
