// mrq_driver: works the running program from outside, one step per start,
// so that a script can take a picture between the steps. Every step waits
// (with a time limit) until the window it leads to is on the screen, and
// steps that end at a window print its rectangle as an X geometry
// (WxH+X+Y) for the script to cut the picture to.
//
//   mrq_driver main                  the main window
//   mrq_driver dialog CAPTION        a dialog or message box
//   mrq_driver dialog CAPTION ID     the same, once the text of its control ID
//                                    is there and has stopped changing
//   mrq_driver showing CAPTION       succeeds only while the dialog shows (no wait)
//   mrq_driver hold CAPTION          waits for the dialog, holds every other
//                                    thread of its program, prints its geometry
//                                    and keeps the hold until "release" (or a
//                                    minute); fails when the dialog is gone
//   mrq_driver release               ends the hold
//   mrq_driver press CAPTION ID      presses a dialog's button, waits until it goes
//   mrq_driver tab INDEX             shows the main view's tab page INDEX (0-3)
//   mrq_driver command ID            sends the main window the menu command ID
//   mrq_driver click ID              clicks the main view's button ID
//   mrq_driver hover ID              rests the mouse on tool bar button ID until its tip shows
//   mrq_driver splitter DX           drags the view's splitter DX pixels right
//   mrq_driver window max|normal     maximises the main window or brings it back
//   mrq_driver column ID INDEX WIDTH sets a column of the view's list ID to WIDTH
//                                    pixels, as a drag of its divider does
//   mrq_driver tree ID TEXT...       opens the items of the view's tree ID along
//                                    the texts (from a root item) and clicks
//                                    the last; prints the main window
//   mrq_driver treemenu ID           right-clicks the tree's selected item and
//                                    waits for its context menu; prints the
//                                    main window
//   mrq_driver escape                closes an open menu as the Escape key does
//   mrq_driver type CAPTION ID TEXT  puts the text into a dialog's edit box
//   mrq_driver toggle CAPTION ID     clicks a dialog's check box, waits until it changes
//   mrq_driver open-row              double-clicks the first row of the source list
//   mrq_driver row-menu              right-clicks it; the geometry takes in its menu
//   mrq_driver rows ID COUNT         waits until the main view's list ID has COUNT
//                                    rows; prints the main window
//   mrq_driver result                prints the backup result dialog's text and counts
//   mrq_driver restore-result        prints the restore result dialog's text and count
//   mrq_driver close                 closes the main window, waits until it goes
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RemoteControls.h"
#include "ThreadHold.h"
#include "TopWindows.h"
#include "resource.h"

namespace {

const char* const MAIN_TITLE = "mrq BackupTool";
// Painting follows the first show; the picture should not come first.
const DWORD SETTLE_MS = 700;
// The main frame's tool bar.
const int TOOLBAR_ID = 0xE800;
const char* const RESULT_TITLE = "バックアップ";
const char* const RESTORE_RESULT_TITLE = "復元の終了";
// A text has stopped changing once it stayed the same this long.
const DWORD STEADY_MS = 1000;
// A run whose window is to be held may take a while to start; a hold that
// nobody releases ends by itself.
const DWORD HOLD_WAIT_MS = 60000;
const DWORD HOLD_POLL_MS = 5;
const DWORD HOLD_LIMIT_MS = 60000;
// The event "release" sets, in the session of the programs.
const char* const RELEASE_EVENT = "mrq_driver release";

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

bool IsShowing(HWND hWnd) {
    return hWnd && ::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && !::IsIconic(hWnd);
}

// The window's geometry, taking in a second window (a tip, a menu) that
// may reach beyond it. A window that went while it painted has no picture:
// the rectangle of a window that is gone is empty, and a picture cut to it
// would be the whole screen.
int PrintGeometry(HWND hWnd, HWND hAlso = nullptr) {
    ::Sleep(SETTLE_MS);
    if (!IsShowing(hWnd))
        return Fail("the window went before its picture", WindowText(hWnd).c_str());
    RECT rc = WindowRect(hWnd);
    if (::IsRectEmpty(&rc))
        return Fail("the window has no size");
    if (hAlso) {
        RECT rcAlso = WindowRect(hAlso);
        ::UnionRect(&rc, &rc, &rcAlso);
    }
    std::printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
    return 0;
}

int ShowWindowOf(const char* pszTitle, bool bDialog) {
    HWND hWnd = WaitForWindow(pszTitle, bDialog);
    return hWnd ? PrintGeometry(hWnd) : Fail("no window", pszTitle);
}

// A dialog once the text of its control has come and stayed the same (a
// count that is still going on changes it).
int ShowCountedDialog(const char* pszCaption, int nID) {
    HWND hDialog = WaitForWindow(pszCaption, true);
    if (!hDialog)
        return Fail("no window", pszCaption);
    std::string strLast;
    DWORD dwSince = ::GetTickCount();
    bool bSteady = WaitUntil([&] {
        std::string strNow = WindowText(::GetDlgItem(hDialog, nID));
        if (strNow != strLast) {
            strLast = strNow;
            dwSince = ::GetTickCount();
        }
        return !strNow.empty() && ::GetTickCount() - dwSince >= STEADY_MS;
    });
    if (!bSteady)
        return Fail("the text never settled in", pszCaption);
    return PrintGeometry(hDialog);
}

int CheckShowing(const char* pszCaption) {
    return IsShowing(FindTopWindow(0, pszCaption, true)) ? 0 : Fail("not showing:", pszCaption);
}

// Waits closely for the dialog (the run behind it may be short), holds the
// rest of its program, and keeps the hold until the script has taken the
// picture and says "release".
int HoldDialog(const char* pszCaption) {
    HANDLE hRelease = ::CreateEventA(nullptr, TRUE, FALSE, RELEASE_EVENT);
    if (!hRelease)
        return Fail("no release event");
    ::ResetEvent(hRelease);
    HWND hDialog = nullptr;
    DWORD dwStart = ::GetTickCount();
    while (!(hDialog = FindTopWindow(0, pszCaption, true)) &&
           ::GetTickCount() - dwStart < HOLD_WAIT_MS)
        ::Sleep(HOLD_POLL_MS);
    int nResult = 1;
    if (hDialog) {
        CThreadHold hold(hDialog);
        nResult = PrintGeometry(hDialog);
        std::fflush(stdout);
        if (nResult == 0)
            ::WaitForSingleObject(hRelease, HOLD_LIMIT_MS);
    } else {
        Fail("no window", pszCaption);
    }
    ::CloseHandle(hRelease);
    return nResult;
}

int ReleaseHold() {
    HANDLE hRelease = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, RELEASE_EVENT);
    if (!hRelease)
        return Fail("nothing is held");
    ::SetEvent(hRelease);
    ::CloseHandle(hRelease);
    return 0;
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
    return PrintGeometry(hMain, hTip);
}

int Toggle(const char* pszCaption, int nID) {
    HWND hDialog = WaitForWindow(pszCaption, true);
    HWND hBox = hDialog ? ::GetDlgItem(hDialog, nID) : nullptr;
    if (!hBox)
        return Fail("no such check box in", pszCaption);
    LRESULT nCheck = ::SendMessageA(hBox, BM_GETCHECK, 0, 0);
    ::PostMessageA(hBox, BM_CLICK, 0, 0);
    if (!WaitUntil([&] { return ::SendMessageA(hBox, BM_GETCHECK, 0, 0) != nCheck; }))
        return Fail("the check box did not change");
    return 0;
}

HWND FindMenuWindow() {
    HWND hMenu = ::FindWindowA("#32768", nullptr);
    return hMenu && ::IsWindowVisible(hMenu) ? hMenu : nullptr;
}

// A mouse event at the screen point, as the mouse itself would send it.
void SendMouse(POINT pt, DWORD dwFlags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    ::Sleep(50);
}

// The mouse goes to the first row of the source list, just below the
// column headers, and clicks there as a user's would: a list view hands no
// row rectangle to another process.
int ClickFirstSourceRow(bool bRight) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hList = hMain ? FindDescendant(hMain, IDC_SOURCE_LIST) : nullptr;
    HWND hHeader =
        hList ? reinterpret_cast<HWND>(::SendMessageA(hList, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!hHeader)
        return Fail("no source list");
    ::SetForegroundWindow(hMain);
    RECT rcHeader = WindowRect(hHeader);
    POINT pt = {rcHeader.left + 40, rcHeader.bottom + 8};
    SendMouse(pt, 0);
    if (bRight) {
        SendMouse(pt, MOUSEEVENTF_RIGHTDOWN);
        SendMouse(pt, MOUSEEVENTF_RIGHTUP);
    } else {
        for (int i = 0; i < 2; i++) {
            SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
            SendMouse(pt, MOUSEEVENTF_LEFTUP);
        }
    }
    if (!bRight)
        return 0;
    HWND hMenu = nullptr;
    if (!WaitUntil([&] { return (hMenu = FindMenuWindow()) != nullptr; }))
        return Fail("no menu opened");
    return PrintGeometry(hMain, hMenu);
}

// The result text line by line, then each count after its label, in the
// program's code page.
int PrintResult() {
    HWND hDialog = WaitForWindow(RESULT_TITLE, true);
    if (!hDialog)
        return Fail("no result dialog");
    std::string strText = WindowText(::GetDlgItem(hDialog, IDC_RESULT_TEXT));
    std::printf("%s\n", strText.c_str());
    const struct {
        int nID;
        const char* pszLabel;
    } kCounts[] = {{IDC_TOTAL, "総ファイル数"},
                   {IDC_NEW, "新しいファイル数"},
                   {IDC_UPDATED, "更新されたファイル数"},
                   {IDC_DELETED, "削除されたファイル数"}};
    for (const auto& count : kCounts)
        std::printf("%s %s\n", count.pszLabel,
                    WindowText(::GetDlgItem(hDialog, count.nID)).c_str());
    return 0;
}

int PrintRestoreResult() {
    HWND hDialog = WaitForWindow(RESTORE_RESULT_TITLE, true);
    if (!hDialog)
        return Fail("no restore result dialog");
    std::printf("%s\n", WindowText(::GetDlgItem(hDialog, IDC_RESULT_TEXT)).c_str());
    std::printf("復元されたファイル数 %s\n",
                WindowText(::GetDlgItem(hDialog, IDC_RESTORED)).c_str());
    return 0;
}

int WaitForRows(int nID, int nRows) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hList = hMain ? FindDescendant(hMain, nID) : nullptr;
    if (!hList)
        return Fail("no such list");
    if (!WaitUntil([&] { return ListItemCount(hList) == nRows; }))
        return Fail("the list did not reach its rows");
    return PrintGeometry(hMain);
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

HWND FindTree(int nID) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    return hMain ? FindDescendant(hMain, nID) : nullptr;
}

// Opens the items along the texts (each opening fills the next level) and
// selects the last one.
int OpenTreePath(int nID, char** ppszTexts, int nTexts) {
    HWND hTree = FindTree(nID);
    if (!hTree)
        return Fail("no such tree");
    std::string strMissing;
    if (!SelectTreePath(hTree, std::vector<std::string>(ppszTexts, ppszTexts + nTexts),
                        &strMissing))
        return strMissing.empty() ? Fail("the item was not selected")
                                  : Fail("no tree item", strMissing.c_str());
    return PrintGeometry(::GetAncestor(hTree, GA_ROOT));
}

// Right-clicks the selected item with the cursor on it, as a user does;
// the view opens the menu where the cursor is.
int OpenTreeMenu(int nID) {
    HWND hTree = FindTree(nID);
    if (!hTree)
        return Fail("no such tree");
    if (!ClickTreeItem(hTree, NextTreeItem(hTree, nullptr, TVGN_CARET), WM_RBUTTONDOWN,
                       WM_RBUTTONUP))
        return Fail("no selected item");
    if (!WaitUntil([] { return FindMenuWindow() != nullptr; }))
        return Fail("no context menu");
    return PrintGeometry(::GetAncestor(hTree, GA_ROOT));
}

// Drags the splitter bar as the mouse would: pressed on its middle, moved,
// released.
int DragSplitter(int nDx) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hSplitter = hMain ? FindDescendant(hMain, IDC_SPLITTER) : nullptr;
    if (!hSplitter)
        return Fail("no splitter");
    HWND hView = ::GetParent(hSplitter);
    RECT rc;
    ::GetWindowRect(hSplitter, &rc);
    ::MapWindowPoints(nullptr, hView, reinterpret_cast<POINT*>(&rc), 2);
    int x = (rc.left + rc.right) / 2;
    int y = (rc.top + rc.bottom) / 2;
    ::PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + nDx, y));
    ::PostMessageA(hView, WM_LBUTTONUP, 0, MAKELPARAM(x + nDx, y));
    if (!WaitUntil([&] {
            RECT rcNow;
            ::GetWindowRect(hSplitter, &rcNow);
            return rcNow.left != rc.left || nDx == 0;
        }))
        return Fail("the splitter did not move");
    return 0;
}

int SizeMain(bool bMaximise) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    if (!hMain)
        return Fail("no main window");
    ::PostMessageA(hMain, WM_SYSCOMMAND, bMaximise ? SC_MAXIMIZE : SC_RESTORE, 0);
    if (!WaitUntil([&] { return (::IsZoomed(hMain) != FALSE) == bMaximise; }))
        return Fail("the window kept its size");
    return 0;
}

int SetColumnWidth(int nID, int nColumn, int nWidth) {
    HWND hMain = WaitForWindow(MAIN_TITLE, false);
    HWND hList = hMain ? FindDescendant(hMain, nID) : nullptr;
    if (!hList || !::SendMessageA(hList, LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(nWidth, 0)))
        return Fail("no such list column");
    return 0;
}

int CloseMenu() {
    HWND hMenu = FindMenuWindow();
    if (!hMenu)
        return Fail("no open menu");
    ::PostMessageA(hMenu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitUntil([] { return FindMenuWindow() == nullptr; }))
        return Fail("the menu stayed");
    return 0;
}

int TypeText(const char* pszCaption, int nID, const char* pszText) {
    HWND hDialog = WaitForWindow(pszCaption, true);
    HWND hEdit = hDialog ? ::GetDlgItem(hDialog, nID) : nullptr;
    if (!hEdit)
        return Fail("no such edit box");
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
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
    if (argc == 4 && Is(argv[1], "dialog"))
        return ShowCountedDialog(argv[2], std::atoi(argv[3]));
    if (argc == 3 && Is(argv[1], "showing"))
        return CheckShowing(argv[2]);
    if (argc == 3 && Is(argv[1], "hold"))
        return HoldDialog(argv[2]);
    if (argc == 2 && Is(argv[1], "release"))
        return ReleaseHold();
    if (argc == 4 && Is(argv[1], "rows"))
        return WaitForRows(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc == 2 && Is(argv[1], "restore-result"))
        return PrintRestoreResult();
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
    if (argc == 3 && Is(argv[1], "splitter"))
        return DragSplitter(std::atoi(argv[2]));
    if (argc == 3 && Is(argv[1], "window"))
        return SizeMain(Is(argv[2], "max"));
    if (argc == 5 && Is(argv[1], "column"))
        return SetColumnWidth(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc >= 4 && Is(argv[1], "tree"))
        return OpenTreePath(std::atoi(argv[2]), argv + 3, argc - 3);
    if (argc == 3 && Is(argv[1], "treemenu"))
        return OpenTreeMenu(std::atoi(argv[2]));
    if (argc == 2 && Is(argv[1], "escape"))
        return CloseMenu();
    if (argc == 5 && Is(argv[1], "type"))
        return TypeText(argv[2], std::atoi(argv[3]), argv[4]);
    if (argc == 4 && Is(argv[1], "toggle"))
        return Toggle(argv[2], std::atoi(argv[3]));
    if (argc == 2 && Is(argv[1], "open-row"))
        return ClickFirstSourceRow(false);
    if (argc == 2 && Is(argv[1], "row-menu"))
        return ClickFirstSourceRow(true);
    if (argc == 2 && Is(argv[1], "result"))
        return PrintResult();
    if (argc == 2 && Is(argv[1], "close"))
        return CloseMain();
    return Fail("usage: main | dialog CAPTION [ID] | showing CAPTION | hold CAPTION | release |",
                "press CAPTION ID | tab INDEX | command ID | click ID | hover ID | splitter DX |"
                " window max|normal | column ID INDEX WIDTH |"
                " tree ID TEXT... | treemenu ID | escape | type CAPTION ID TEXT |"
                " toggle CAPTION ID | open-row | row-menu | rows ID COUNT | result |"
                " restore-result | close");
}
