// Every message box of the program passes through here, so a test can
// answer it instead of a user: install a handler, and each box becomes a
// call that returns the button "pressed" (IDOK, IDYES, IDCANCEL, ...).
//
// The seam lives in the base because a document reports a failed open or
// save here; a message box is the system's own window, not one of ours.
// The same kind of seam for modal dialogs is in ModalSeam.h.
#pragma once

#include "Types.h"

// Shows a message box owned by hOwner (or the application's main window
// when null) with the given caption; returns the button pressed.
int ShowMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);

// A message box captioned with the application's title.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK);

// The application's title, used as the caption of AfxMessageBox.
void AfxSetAppTitle(const char* pszTitle);
const char* AfxGetAppTitle();

// Test seam: when set, every message box calls the handler instead of
// showing a window. Pass null to show real boxes again.
typedef int (*MessageBoxHandler)(HWND hOwner, const char* pszText, const char* pszCaption,
                                 UINT nType);
void AfxSetMessageBoxHandler(MessageBoxHandler pfnHandler);
