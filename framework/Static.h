// CStatic: labels and icons.
#pragma once

#include "Wnd.h"

class CStatic : public CWnd {
public:
    using CWnd::CWnd;

    // Returns the previous icon. The label needs the SS_ICON style.
    HICON SetIcon(HICON hIcon) {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
};
