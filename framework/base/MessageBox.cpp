#include "MessageBox.h"

#include "String.h"

namespace {

MessageBoxHandler g_pfnMessageBoxHandler = nullptr;
CString g_strAppTitle;

} // namespace

int ShowMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType) {
    if (g_pfnMessageBoxHandler)
        return g_pfnMessageBoxHandler(hOwner, pszText, pszCaption, nType);
    return MessageBoxA(hOwner, pszText, pszCaption, nType);
}

int AfxMessageBox(const char* pszText, UINT nType) {
    return ShowMessageBox(nullptr, pszText, g_strAppTitle, nType);
}

void AfxSetAppTitle(const char* pszTitle) {
    g_strAppTitle = pszTitle;
}
const char* AfxGetAppTitle() {
    return g_strAppTitle;
}

void AfxSetMessageBoxHandler(MessageBoxHandler pfnHandler) {
    g_pfnMessageBoxHandler = pfnHandler;
}
