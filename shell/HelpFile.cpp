#include "HelpFile.h"

#include <windows.h>

#include "PathText.h"

const char* const HELP_GUIDE_NAME = "mrq.html";

namespace {

bool IsFile(const CString& strPath) {
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CString FindHelpFile(const char* pszProgramPath) {
    CString strProgram(pszProgramPath);
    // Double-byte aware: a name such as 表 ends in the byte of a backslash.
    int nNameStart = FindBackslash(strProgram, false) + 1;
    CString strGuide = strProgram.Left(nNameStart) + HELP_GUIDE_NAME;
    if (IsFile(strGuide))
        return strGuide;

    // A dot is never the second byte of a character: the last one found in
    // the name starts its extension.
    int nDot = -1;
    for (int i = strProgram.Find('.', nNameStart); i >= 0; i = strProgram.Find('.', i + 1))
        nDot = i;
    CString strHelp = (nDot >= 0 ? strProgram.Left(nDot) : strProgram) + ".HLP";
    return IsFile(strHelp) ? strHelp : CString();
}
