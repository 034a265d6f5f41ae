// The seam for modal dialogs, as MessageBox.h is for message boxes. When a
// handler is set, CDialog::DoModal creates and initialises the dialog as
// usual (OnInitDialog has run, the controls hold the members' values) and
// then, instead of waiting for a user, calls the handler with the dialog.
// The handler may work the real controls and end the dialog itself
// (BM_CLICK on a button, EndDialog).
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
#pragma once

#include <functional>

#include "MessageBox.h"

class CDialog;
typedef std::function<int(CDialog& dlg)> ModalDialogHandler;
void AfxSetModalDialogHandler(ModalDialogHandler handler);
const ModalDialogHandler& AfxGetModalDialogHandler();
