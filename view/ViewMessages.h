// The message boxes of the main view, owned by its form: "mrq Warning" for
// an edit it refuses, "mrq Error" for a start it refuses and a run that
// failed.
#pragma once

class CWnd;

void ShowWarning(const CWnd& form, const char* pszText);
void ShowError(const CWnd& form, const char* pszText);

// Refuses, with a warning, a folder text that names no folder plainly: one
// holding "?" or "*", or a name the code page cannot hold ("?" in its
// place). True when it was refused.
bool RefuseUnplainPath(const CWnd& form, const char* pszPath);
