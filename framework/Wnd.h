// CWnd: a thin wrapper of one window handle. Attaching a handle owns
// nothing; the window stays when the wrapper goes. Windows the framework
// creates (CreateEx, dialogs) also carry a pointer back to their object, and
// their messages go through the object's message map (MessageMap.h).
#pragma once

#include "CmdTarget.h"
#include "String.h"

#include <shellapi.h>

class CWnd : public CCmdTarget {
public:
    explicit CWnd(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    ~CWnd() override;

    // Attach takes a handle into an empty wrapper only; false otherwise.
    bool Attach(HWND hWnd);
    // Lets go of the handle. A window created through this object keeps
    // existing but from now on gets only the default handling.
    HWND Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    // The object whose message map serves hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // A top-level or child window of the framework's own window class.
    bool CreateEx(DWORD dwExStyle, const char* pszWindowName, DWORD dwStyle, const RECT& rect,
                  HWND hWndParent, UINT nID);
    bool DestroyWindow();

    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    // The top-level window this one lies in (itself when it is one).
    HWND GetTopLevelParent() const { return ::GetAncestor(m_hWnd, GA_ROOT); }

    void GetWindowText(CString& rString) const;
    CString GetWindowText() const;
    // At most nMaxCount - 1 bytes and a terminating zero into pszBuffer,
    // for a reader with a fixed limit; returns the bytes copied.
    int GetWindowText(char* pszBuffer, int nMaxCount) const {
        return ::GetWindowTextA(m_hWnd, pszBuffer, nMaxCount);
    }
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    bool SetWindowText(const char* pszText) { return ::SetWindowTextA(m_hWnd, pszText) != 0; }
    bool SetDlgItemText(int nID, const char* pszText) {
        return ::SetDlgItemTextA(m_hWnd, nID, pszText) != 0;
    }
    CString GetDlgItemText(int nID) const;

    // Returns whether the window was enabled before.
    bool EnableWindow(bool bEnable = true) { return ::EnableWindow(m_hWnd, bEnable) == 0; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != 0; }
    // Returns whether the window was visible before.
    bool ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow) != 0; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != 0; }
    bool SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd) != 0; }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }

    LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, nMsg, wParam, lParam);
    }
    bool PostMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, nMsg, wParam, lParam) != 0;
    }
    LRESULT SendDlgItemMessage(int nID, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageA(m_hWnd, nID, nMsg, wParam, lParam);
    }

    // Files dropped from the shell arrive as WM_DROPFILES (DropHandle.h).
    void DragAcceptFiles(bool bAccept = true) { ::DragAcceptFiles(m_hWnd, bAccept); }

    // Returns the timer id, 0 on failure.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
    }
    bool KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent) != 0; }

    bool MoveWindow(int x, int y, int nWidth, int nHeight, bool bRepaint = true) {
        return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint) != 0;
    }
    bool MoveWindow(const RECT& rect, bool bRepaint = true) {
        return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          bRepaint);
    }
    bool GetClientRect(RECT* pRect) const { return ::GetClientRect(m_hWnd, pRect) != 0; }
    bool GetWindowRect(RECT* pRect) const { return ::GetWindowRect(m_hWnd, pRect) != 0; }
    // Maps a rectangle from screen to client coordinates.
    void ScreenToClient(RECT* pRect) const {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(pRect), 2);
    }
    void ScreenToClient(POINT* pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }
    void Invalidate(bool bErase = true) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    bool GetWindowPlacement(WINDOWPLACEMENT* pPlacement) const {
        pPlacement->length = sizeof(WINDOWPLACEMENT);
        return ::GetWindowPlacement(m_hWnd, pPlacement) != 0;
    }
    bool SetWindowPlacement(const WINDOWPLACEMENT& placement) {
        return ::SetWindowPlacement(m_hWnd, &placement) != 0;
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT hFont, bool bRedraw = true) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }

protected:
    // This class's message map; see MessageMap.h. The root has no entries.
    const CMessageMap* GetMessageMap() const override;
    // Looks the message up in the map chain and calls the handler; false
    // when no table has an entry for it.
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Sees every WM_COMMAND before the map does; true takes it. Frames
    // route menu commands here (FrameWnd.h); a plain window takes nothing.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // Sees every WM_NOTIFY before the map does; true takes it, with the
    // answer in *pResult.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // What a message no table takes gets.
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY); the handle is already
    // detached. An object that lives exactly as long as its window deletes
    // itself here.
    virtual void PostNcDestroy() {}

    // Ties hWnd to this object for the window procedures.
    void AttachPermanent(HWND hWnd);
    // Runs one message through the object; exceptions end here (see .cpp).
    static bool Dispatch(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The end of a window's life: detaches and calls PostNcDestroy.
    static void OnFinalMessage(CWnd* pWnd);

    HWND m_hWnd;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void RemovePermanent();
};
