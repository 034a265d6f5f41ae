// CButton: push buttons, check boxes and radio buttons.
#pragma once

#include "Wnd.h"

class CButton : public CWnd {
public:
    using CWnd::CWnd;

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    bool IsChecked() const { return GetCheck() == BST_CHECKED; }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    // Presses the button as a mouse click would, notifying the parent.
    void Click() { SendMessage(BM_CLICK); }
};
