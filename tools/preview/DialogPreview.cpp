// mrq_preview: shows one of the program's dialogs alone, for the pictures
// of dialogs that the screenshot machine (wine, no network) never reaches
// inside the program, or reaches only through a run set up for it.
//
//   mrq_preview password RESOURCE    the password dialog of a network share
//   mrq_preview removal FOLDER MIRROR GONE
//                                    the question of a run that would delete
//                                    GONE of the MIRROR files of FOLDER's mirror
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "MessageBox.h"
#include "PasswordDlg.h"
#include "RemovalGuard.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "password") == 0) {
        CPasswordDlg dlg;
        dlg.m_strResource = argv[2];
        dlg.DoModal();
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "removal") == 0) {
        CRemovalQuestion question;
        question.strFolder = argv[2];
        question.nInMirror = std::atoi(argv[3]);
        question.nToDelete = std::atoi(argv[4]);
        ShowMessageBox(nullptr, GuardQuestion(question), "mrq Warning",
                       MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
        return 0;
    }
    std::fprintf(stderr, "usage: mrq_preview password RESOURCE | removal FOLDER MIRROR GONE\n");
    return 1;
}
