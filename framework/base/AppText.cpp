#include "AppText.h"

#include <vector>

CString AfxLoadString(UINT nID) {
    // LoadStringA truncates to the buffer and says how much it copied: a
    // result that fills the buffer may have been cut, so try a larger one.
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    for (int nSize = 256; nSize <= 65536; nSize *= 2) {
        std::vector<char> buffer(static_cast<size_t>(nSize));
        int n = ::LoadStringA(hInstance, nID, buffer.data(), nSize);
        if (n < nSize - 1)
            return CString(buffer.data(), n > 0 ? n : 0);
    }
    return CString();
}

CString AfxFormatString(UINT nID, const char* psz1, const char* psz2) {
    CString strTemplate = AfxLoadString(nID);
    const char* pszArgs[] = {psz1 ? psz1 : "", psz2 ? psz2 : ""};
    if (strTemplate.IsEmpty())
        return psz2 ? CString(pszArgs[0]) + "\n" + pszArgs[1] : CString(pszArgs[0]);
    // Byte-wise: '%' and the digits are never trail bytes of code page 932.
    CString strText;
    for (const char* p = strTemplate; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            strText += pszArgs[p[1] - '1'];
            ++p;
        } else {
            strText += *p;
        }
    }
    return strText;
}
