#include "FileDialog.h"

#include <utility>
#include <vector>

#include "WinApp.h"
#include "Wnd.h"

#include <commdlg.h>

namespace {

FileDialogHandler g_fileDialogHandler;

// The dialog's filter: the line feeds become NULs, and two NULs end it.
std::vector<char> MakeFilter(const char* pszFilter) {
    std::vector<char> filter;
    for (const char* p = pszFilter ? pszFilter : ""; *p; ++p)
        filter.push_back(*p == '\n' ? '\0' : *p);
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

} // namespace

bool AfxDoPromptFileName(CString& rPathName, bool bOpen, const char* pszFilter,
                         const char* pszDefExt) {
    if (g_fileDialogHandler) {
        FileDialogHandler handler = g_fileDialogHandler;
        return handler(rPathName, bOpen);
    }
    char szFile[MAX_PATH];
    lstrcpynA(szFile, rPathName, MAX_PATH);
    std::vector<char> filter = MakeFilter(pszFilter);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWinApp* pApp = AfxGetApp();
    ofn.hwndOwner = pApp && pApp->m_pMainWnd ? pApp->m_pMainWnd->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = filter.size() > 2 ? filter.data() : nullptr;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = pszDefExt && *pszDefExt == '.' ? pszDefExt + 1 : pszDefExt;
    ofn.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bOpen ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    BOOL bOK = bOpen ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!bOK)
        return false;
    rPathName = szFile;
    return true;
}

void AfxSetFileDialogHandler(FileDialogHandler handler) {
    g_fileDialogHandler = std::move(handler);
}
