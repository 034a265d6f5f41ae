// Opening a file or an address with the program the shell associates with
// it: a page in the user's default browser, say. Every such open passes
// through here, so a test can answer it instead of a program starting:
// install a handler, and each open becomes a call that says whether the
// shell "started" something.
#pragma once

#include "Types.h"

// Opens pszTarget with the shell's "open" verb on behalf of hOwner (may be
// null); true when the shell started a program for it.
bool AfxShellOpen(HWND hOwner, const char* pszTarget);

// Test seam: when set, every open calls the handler instead of the shell.
// Pass null to open for real again.
typedef bool (*ShellOpenHandler)(HWND hOwner, const char* pszTarget);
void AfxSetShellOpenHandler(ShellOpenHandler pfnHandler);
