#include "ViewMessages.h"

#include "MessageBox.h"
#include "PathText.h"
#include "Wnd.h"

void ShowWarning(const CWnd& form, const char* pszText) {
    ShowMessageBox(form.GetSafeHwnd(), pszText, "mrq Warning", MB_OK | MB_ICONEXCLAMATION);
}

void ShowError(const CWnd& form, const char* pszText) {
    ShowMessageBox(form.GetSafeHwnd(), pszText, "mrq Error", MB_OK | MB_ICONHAND);
}

bool RefuseUnplainPath(const CWnd& form, const char* pszPath) {
    if (IsPlainPathText(pszPath))
        return false;
    CString strText = pszPath;
    strText +=
        "\nこの名前にはプログラムで扱えない文字(? * など)が含まれているため、登録できません。";
    ShowWarning(form, strText);
    return true;
}
