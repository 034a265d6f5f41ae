// mrq_driver: works the running program from outside, one step per start,
// so that a script can take a picture between the steps. Every step waits
// (with a time limit) until the window it leads to is on the screen, and
// steps that end at a window print its rectangle as an X geometry
// (WxH+X+Y) for the script to cut the picture to.
//
//   mrq_driver main                  the main window
//   mrq_driver dialog CAPTION        a dialog or message box
//   mrq_driver press CAPTION ID      presses a dialog's button, waits until it goes
//   mrq_driver tab INDEX             shows the main view's tab page INDEX (0-3)
//   mrq_driver command ID            sends the main window the menu command ID
//   mrq_driver click ID              clicks the main view's button ID
//   mrq_driver hover ID              rests the mouse on tool bar button ID until its tip shows
//   mrq_driver close                 closes the main window, waits until it goes
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "TopWindows.h"
#include "resource.h"

namespace {

const char* const MAIN_TITLE = "mrq BackupTool";
// Painting follows the first show; the picture should not come first.
const DWORD SETTLE_MS = 700;
// The main frame's tool bar.
const int TOOLBAR_ID = 0xE800;

int Fail(const char* pszWhat, const char* pszName = "") {
    std::fprintf(stderr, "mrq_driver: %s %s\n", pszWhat, pszName);
    return 1;
}

HWND WaitForWindow(const char* pszTitle, bool bDialog) {
    HWND hFound = nullptr;
    WaitUntil([&] {
        hFound = FindTopWindow(0, pszTitle, bDialog);
        return hFound != nullptr;
    });
    return hFound;
}

int PrintGeometry(HWND hWnd) {
    ::Sleep(SETTLE_MS);
    RECT rc = WindowRect(hWnd);
    std::printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
    return 0;
}

int ShowWindowOf(const char* pszTitle, bool bDialog) {
    HWND hWnd = WaitForWindow(pszTitle, bDialog);
    return hWnd ? PrintGeometry(hWnd) : Fail("no window", pszTitle);
}

int Press(const char* pszCaption, int nID) {
    HWND hDialog = WaitForWindow(pszCaption, true);
    if (!hDialog)
        return Fail("no dialog", pszCaption);
    PressButton(hDialog, nID);
    if (!WaitUntil([&] { return !::IsWindow(hDialog) || !::IsWindowVisible(hDialog); }))
        return Fail("the dialog stayed", pszCaption);
    return 0;
}

// The tab control sends its own selection change (the view switches its
// pages on it) when its focus item moves.
int ShowTab(int nIndex) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hTab = hMain ? FindDescendant(hMain, IDC_TAB) : nullptr;
    if (!hTab)
        return Fail("no tab control");
    ::SendMessageA(hTab, TCM_SETCURFOCUS, nIndex, 0);
    if (!WaitUntil([&] { return ::SendMessageA(hTab, TCM_GETCURSEL, 0, 0) == nIndex; }))
        return Fail("the page did not change");
    return PrintGeometry(hMain);
}

int PostCommand(int nID) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    if (!hMain)
        return Fail("no main window");
    ::PostMessageA(hMain, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return 0;
}

int Click(int nID) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hButton = hMain ? FindDescendant(hMain, nID) : nullptr;
    if (!hButton)
        return Fail("no such button");
    // Posted, since a button may open a modal dialog and not return; a
    // check box is waited for until its check has changed, so the next
    // step sees the new state.
    LRESULT nCheck = ::SendMessageA(hButton, BM_GETCHECK, 0, 0);
    bool bCheckBox = (::GetWindowLongA(hButton, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    ::PostMessageA(hButton, BM_CLICK, 0, 0);
    if (bCheckBox &&
        !WaitUntil([&] { return ::SendMessageA(hButton, BM_GETCHECK, 0, 0) != nCheck; }))
        return Fail("the check box did not change");
    return 0;
}

// The visible tool tip window of the process, or null.
HWND FindToolTip(DWORD dwProcessId) {
    for (HWND hWnd : VisibleTopWindows(dwProcessId)) {
        if (WindowClass(hWnd) == TOOLTIPS_CLASSA)
            return hWnd;
    }
    return nullptr;
}

// The mouse moves onto the button as a user's would, then rests there
// until the tool tip shows. A tool bar hands no button rectangle to another
// process, so the mouse walks along the bar until the button is hot. The
// picture takes in the window and the tip.
int Hover(int nID) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hBar = hMain ? FindDescendant(hMain, TOOLBAR_ID) : nullptr;
    LRESULT nIndex = hBar ? ::SendMessageA(hBar, TB_COMMANDTOINDEX, nID, 0) : -1;
    if (nIndex < 0)
        return Fail("no such tool bar button");
    ::SetForegroundWindow(hMain);
    RECT rcBar = {};
    ::GetClientRect(hBar, &rcBar);
    bool bHot = false;
    for (int x = 0; x < rcBar.right && !bHot; x += 4) {
        POINT pt = {x, rcBar.bottom / 2};
        ::ClientToScreen(hBar, &pt);
        ::SetCursorPos(pt.x, pt.y);
        bHot = WaitUntil([&] { return ::SendMessageA(hBar, TB_GETHOTITEM, 0, 0) == nIndex; }, 200);
    }
    if (!bHot)
        return Fail("the button never became hot");
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hMain, &dwProcessId);
    HWND hTip = nullptr;
    if (!WaitUntil([&] { return (hTip = FindToolTip(dwProcessId)) != nullptr; }))
        return Fail("no tool tip showed");
    ::Sleep(SETTLE_MS);
    RECT rc = WindowRect(hMain);
    RECT rcTip = WindowRect(hTip);
    ::UnionRect(&rc, &rc, &rcTip);
    std::printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
    return 0;
}

int CloseMain() {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    if (!hMain)
        return Fail("no main window");
    ::PostMessageA(hMain, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return !::IsWindow(hMain); }))
        return Fail("the main window stayed");
    return 0;
}

bool Is(const char* pszArg, const char* pszStep) {
    return std::strcmp(pszArg, pszStep) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && Is(argv[1], "main"))
        return ShowWindowOf(MAIN_TITLE, false);
    if (argc == 3 && Is(argv[1], "dialog"))
        return ShowWindowOf(argv[2], true);
    if (argc == 4 && Is(argv[1], "press"))
        return Press(argv[2], std::atoi(argv[3]));
    if (argc == 3 && Is(argv[1], "tab"))
        return ShowTab(std::atoi(argv[2]));
    if (argc == 3 && Is(argv[1], "command"))
        return PostCommand(std::atoi(argv[2]));
    if (argc == 3 && Is(argv[1], "click"))
        return Click(std::atoi(argv[2]));
    if (argc == 3 && Is(argv[1], "hover"))
        return Hover(std::atoi(argv[2]));
    if (argc == 2 && Is(argv[1], "close"))
        return CloseMain();
    return Fail("usage: main | dialog CAPTION | press CAPTION ID | tab INDEX | command ID |",
                "click ID | hover ID | close");
}
