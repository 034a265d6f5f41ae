#include "ShellOpen.h"

#include <shellapi.h>

namespace {

ShellOpenHandler g_pfnShellOpenHandler = nullptr;

} // namespace

bool AfxShellOpen(HWND hOwner, const char* pszTarget) {
    if (g_pfnShellOpenHandler)
        return g_pfnShellOpenHandler(hOwner, pszTarget);
    // The shell reports success as a value above 32.
    HINSTANCE hResult = ::ShellExecuteA(hOwner, "open", pszTarget, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}

void AfxSetShellOpenHandler(ShellOpenHandler pfnHandler) {
    g_pfnShellOpenHandler = pfnHandler;
}
