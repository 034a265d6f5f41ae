// What the help commands show: the user guide, a page in Japanese that
// ships beside the program as mrq.html and opens in the default browser.
// Where it is missing, the help file of the program's own name with the
// extension ".HLP" is still opened when one lies there.
#pragma once

#include "String.h"

// The name of the guide in the program's folder.
extern const char* const HELP_GUIDE_NAME; // "mrq.html"

// The help file for the program file pszProgramPath: the guide in its
// folder, else its ".HLP" file, else "" when neither exists.
CString FindHelpFile(const char* pszProgramPath);
