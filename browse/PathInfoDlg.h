// The two information windows of the "ﾌﾟﾛﾊﾟﾃｨ" commands, and the one entry
// point that picks between them by what the path is.
//
// CFolderInfoDlg (template 113): a folder's or a drive's name and creation
// date, and its total size, file count and subfolder count, counted by a
// worker while the window is open; the totals grow on screen until the
// count is done. Closing the window during the count stops the worker
// through m_bStop and waits for it, so the status block never goes while
// the worker writes to it.
//
// CFileInfoDlg (template 114): a file's dates, size and type.
//
// Both draw the path's shell icon in their top-left corner.
#pragma once

#include "Dialog.h"
#include "WorkerStatus.h"
#include "WorkerThread.h"

class CPathInfoDlg : public CDialog {
public:
    CPathInfoDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

protected:
    // The path whose icon is drawn.
    virtual const CString& GetIconPath() const = 0;
    void OnPaint();
    const CMessageMap* GetMessageMap() const override;
};

class CFolderInfoDlg : public CPathInfoDlg {
public:
    explicit CFolderInfoDlg(CWnd* pParentWnd = nullptr);

    // m_nCount files, m_nCount2 subfolders, m_nBytes bytes; m_items holds
    // the CSumItem to count (owned by the caller).
    CWorkerStatus m_status;
    CString m_strFolder;
    CString m_strCreated;

    // True while the worker's thread runs, before and after DoModal: once
    // DoModal has returned it must be false.
    bool IsWorkerRunning() const { return m_worker.IsRunning(); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const CString& GetIconPath() const override { return m_strFolder; }
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    const CMessageMap* GetMessageMap() const override;

private:
    void ShowTotals();
    void EndWorker();

    // Last, so that it stops and waits for the worker before the status
    // block goes.
    CWorkerThread m_worker{m_status.m_bStop};
};

class CFileInfoDlg : public CPathInfoDlg {
public:
    explicit CFileInfoDlg(CWnd* pParentWnd = nullptr);

    CString m_strFile;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const CString& GetIconPath() const override { return m_strFile; }
};

// Display length of the path in either window's name line.
const int INFO_PATH_LENGTH = 40;

// The information window for the path: the folder window for a folder or a
// drive root (subfolders counted when bRecurse), the file window for a
// file, nothing for a path that is not there.
void ShowPathInfo(const char* pszPath, bool bRecurse, CWnd* pParentWnd = nullptr);
