#include "FileOps.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlguid.h>

char* ResolveShortcut(char* pszPath) {
    HRESULT hrInit = CoInitialize(nullptr);
    IShellLinkA* pLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&pLink)))) {
        IPersistFile* pFile = nullptr;
        if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
            WCHAR wszPath[MAX_PATH];
            if (MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wszPath, MAX_PATH) &&
                SUCCEEDED(pFile->Load(wszPath, STGM_READ))) {
                char szTarget[MAX_PATH] = "";
                if (SUCCEEDED(pLink->GetPath(szTarget, MAX_PATH, nullptr, SLGP_UNCPRIORITY)) &&
                    szTarget[0])
                    lstrcpynA(pszPath, szTarget, MAX_PATH);
            }
            pFile->Release();
        }
        pLink->Release();
    }
    if (SUCCEEDED(hrInit))
        CoUninitialize();
    return pszPath;
}
