// Looking at another process's windows from outside, the way a user sees
// them: top-level windows by process, caption and class, their controls by
// id, and buttons pressed by message. Every wait polls and gives up after a
// bounded time, so a program that never shows a window fails a test rather
// than hanging it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Long enough for wine to start a program or withdraw a shown window, short
// enough that a missing window fails within seconds.
const DWORD WINDOW_WAIT_MS = 15000;
const DWORD POLL_STEP_MS = 50;

// The class of dialogs and message boxes.
extern const char* const DIALOG_CLASS; // "#32770"

// Polls until bCondition() holds; false when the time ran out first.
bool WaitUntil(const std::function<bool()>& bCondition, DWORD dwTimeoutMs = WINDOW_WAIT_MS);

std::string WindowText(HWND hWnd);
std::string WindowClass(HWND hWnd);

// The visible top-level windows of a process (0: of every process), in
// z-order.
std::vector<HWND> VisibleTopWindows(DWORD dwProcessId);

// The first visible top-level window of the process (0: of any process)
// whose caption equals
// pszTitle and whose class is (bDialog) or is not (!bDialog) the dialog
// class; null when there is none.
HWND FindTopWindow(DWORD dwProcessId, const char* pszTitle, bool bDialog);

// The first descendant of hParent with the control id; null when none.
HWND FindDescendant(HWND hParent, int nID);

// Presses a dialog's button as a click would: the dialog receives the
// button's BN_CLICKED command. Works on message boxes too (IDOK, IDCANCEL).
bool PressButton(HWND hDialog, int nID);

// The rectangle in screen coordinates, and its size.
RECT WindowRect(HWND hWnd);
SIZE WindowSize(HWND hWnd);
