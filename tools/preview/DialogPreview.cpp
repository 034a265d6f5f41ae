// mrq_preview: shows one of the program's dialogs alone, for the pictures
// of dialogs that the screenshot machine (wine, no network) never reaches
// inside the program.
//
//   mrq_preview password RESOURCE    the password dialog of a network share
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "PasswordDlg.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "password") == 0) {
        CPasswordDlg dlg;
        dlg.m_strResource = argv[2];
        dlg.DoModal();
        return 0;
    }
    std::fprintf(stderr, "usage: mrq_preview password RESOURCE\n");
    return 1;
}
