// The file-name dialogs of Open and Save As. Like message boxes and modal
// dialogs they pass one seam, so a test answers them instead of a user:
//
//     AfxSetFileDialogHandler([](CString& rPathName, bool bOpen) {
//         rPathName = "D:\\表\\Notes.nts";
//         return true; // false: the user cancelled
//     });
#pragma once

#include <functional>

#include "String.h"

// Asks for a file to open (bOpen) or a name to save under. rPathName comes
// in as the proposed name and goes out as the chosen one. pszFilter is
// "name\npattern" pairs separated by line feeds; pszDefExt the extension
// added to a name typed without one (".nts" or "nts"). False on cancel.
bool AfxDoPromptFileName(CString& rPathName, bool bOpen, const char* pszFilter,
                         const char* pszDefExt);

typedef std::function<bool(CString& rPathName, bool bOpen)> FileDialogHandler;
// Null shows the real dialogs again.
void AfxSetFileDialogHandler(FileDialogHandler handler);
