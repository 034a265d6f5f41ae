// Every message box of the program passes through here, so a test can
// answer it instead of a user: install a handler, and each box becomes a
// call that returns the button "pressed" (IDOK, IDYES, IDCANCEL, ...).
#pragma once

#include <functional>
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

// The same seam for modal dialogs. When a handler is set, CDialog::DoModal
// creates and initialises the dialog as usual (OnInitDialog has run, the
// controls hold the members' values) and then, instead of waiting for a
// user, calls the handler with the dialog. The handler may work the real
// controls and end the dialog itself (BM_CLICK on a button, EndDialog).
// The dialog stays hidden, as nobody is there to see it (and wine without a
// window manager takes 2 s to withdraw every window that was shown): so
// IsWindowVisible is false for its controls, while their WS_VISIBLE style
// still tells which ones the dialog shows. If
// the dialog is still open when the handler returns:
//   - a non-zero return value is pressed as a command id, so IDOK runs the
//     dialog's OnOK (data exchange and validation) just as the button would;
//     a dialog that still stays open ends with -1 (refused);
//   - zero lets the dialog run its own message loop until it ends itself
//     (a dialog that closes on a timer, or keys posted by the handler).
// The handler is copied before each call, so it may replace itself.
//
//     AfxSetModalDialogHandler([](CDialog&) { return IDOK; });
//     AfxSetModalDialogHandler([](CDialog& dlg) {
//         dlg.SetDlgItemText(IDC_NAME, "表示");
//         return IDOK;
//     });
class CDialog;
typedef std::function<int(CDialog& dlg)> ModalDialogHandler;
void AfxSetModalDialogHandler(ModalDialogHandler handler);
const ModalDialogHandler& AfxGetModalDialogHandler();
