// The program's main window steps aside (minimised, not activated) for the
// windows of a run, and comes back when the run is over:
//
//     CMainWindowAside aside(true);
//     progress.DoModal();
//     result.DoModal();
//     // back here at the end of the scope
//
// Those windows have no parent, so they show while the main window is
// minimised.
#pragma once

class CWnd;

class CMainWindowAside {
public:
    // bAside false leaves the window alone: a run before the window ever
    // showed (the automatic backup of the first update).
    explicit CMainWindowAside(bool bAside);
    ~CMainWindowAside();
    CMainWindowAside(const CMainWindowAside&) = delete;
    CMainWindowAside& operator=(const CMainWindowAside&) = delete;

private:
    CWnd* m_pMainWnd = nullptr;
};
