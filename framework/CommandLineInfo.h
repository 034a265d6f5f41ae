// CCommandLineInfo: what the program was asked to do at start. The command
// line is split into arguments; one beginning with '/' or '-' is a switch,
// any other a file name. The first file name means "open it"; no file name
// means "new document". Switches are handed to ParseParam without their
// first character and otherwise ignored, so a program that knows a switch
// derives and takes it there.
#pragma once

#include <vector>

#include "String.h"

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing };

    virtual ~CCommandLineInfo() = default;
    // One argument. bLast is true for the last one.
    virtual void ParseParam(const char* pszParam, bool bFlag, bool bLast);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
};

// The arguments of a command line (the text after the program name):
// blanks and tabs separate them, double quotes group blanks into one and
// are dropped. A backslash is an ordinary character, so a quoted path
// ending in a backslash, or in a double-byte character whose second byte is
// 0x5C ("表", "ソ"), keeps its closing quote.
std::vector<CString> SplitCommandLine(const char* pszCmdLine);
