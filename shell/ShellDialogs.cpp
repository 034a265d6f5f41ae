#include "ShellDialogs.h"

#include "ShellOpen.h"
#include "resource.h"

const char* const MAKER_ADDRESS = "http://www.example.com/mrq/";

CInstallDlg::CInstallDlg(CWnd* pParentWnd) : CDialog(IDD_INSTALL, pParentWnd) {}

CUninstallDlg::CUninstallDlg(CWnd* pParentWnd) : CDialog(IDD_UNINSTALL, pParentWnd) {}

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

namespace {

void OpenWithShell(const char* pszAddress) {
    AfxShellOpen(nullptr, pszAddress);
}

} // namespace

void ShowAboutBox(CWnd* pParentWnd, void (*pfnOpen)(const char* pszAddress)) {
    CAboutDlg dlg(pParentWnd);
    if (dlg.DoModal() == IDOK)
        (pfnOpen ? pfnOpen : OpenWithShell)(MAKER_ADDRESS);
}
