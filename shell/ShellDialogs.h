// The three small dialogs of the application shell. They only show text and
// end with the button pressed: 1 (IDOK) or 2 (IDCANCEL, also Escape and the
// close box). What follows is the caller's.
#pragma once

#include "Dialog.h"

// Shown once at the first start.
class CInstallDlg : public CDialog {
public:
    explicit CInstallDlg(CWnd* pParentWnd = nullptr);
};

// Asks before "/uninstall" removes the program's registry data; only IDOK
// ("ｱﾝｲﾝｽﾄｰﾙ") goes ahead.
class CUninstallDlg : public CDialog {
public:
    explicit CUninstallDlg(CWnd* pParentWnd = nullptr);
};

// The about box. Its flat address button ends it with IDOK; "OK" is the
// cancel button, so Enter and Escape close it without opening anything.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);
};

// The maker's web page, shown on the about box's address button.
extern const char* const MAKER_ADDRESS;

// Shows the about box and opens the maker's page when its address button
// ended it. pfnOpen opens an address (the shell's "open" by default); tests
// pass their own.
void ShowAboutBox(CWnd* pParentWnd, void (*pfnOpen)(const char* pszAddress) = nullptr);
