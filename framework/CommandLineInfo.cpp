#include "CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, bool bFlag, bool) {
    if (bFlag || m_nShellCommand == FileOpen)
        return;
    m_strFileName = pszParam;
    m_nShellCommand = FileOpen;
}

std::vector<CString> SplitCommandLine(const char* pszCmdLine) {
    std::vector<CString> args;
    const char* p = pszCmdLine ? pszCmdLine : "";
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            return args;
        CString strArg;
        bool bQuoted = false;
        for (; *p && (bQuoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"')
                bQuoted = !bQuoted;
            else
                strArg += *p;
        }
        args.push_back(strArg);
    }
}
