// The program's entry point and its one application object.
#include "MrqApp.h"

CMrqApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, pszCmdLine, nCmdShow);
}
