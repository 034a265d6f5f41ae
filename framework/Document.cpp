#include "Document.h"

#include "Archive.h"
#include "MessageBox.h"
#include "ReplacingFile.h"
#include "View.h"

namespace {

// Why a file operation failed, in the words of the document messages.
CString DescribeError(DWORD dwError) {
    switch (dwError) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "ディスクの空き領域が足りません。";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "書き込みが禁止されているか、ほかのプログラムが使用中です。";
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return "パスが長すぎます。";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_NOT_READY:
        return "ファイルまたはフォルダが見つかりません。";
    default: {
        CString str;
        str.Format("エラー番号 %lu", dwError);
        return str;
    }
    }
}

void ReportOpenFailure(const char* pszPathName, DWORD dwError) {
    CString strText;
    strText.Format("ファイル %s を開けませんでした。\n%s", pszPathName,
                   static_cast<const char*>(DescribeError(dwError)));
    AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
}

void ReportSaveFailure(const char* pszPathName, DWORD dwError) {
    CString strText;
    strText.Format("ファイル %s に保存できませんでした。以前のファイルはそのまま残っています。\n%s",
                   pszPathName, static_cast<const char*>(DescribeError(dwError)));
    AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
}

// The part after the last separator. A trail byte 0x5C (as in "表") is
// part of its character, not a separator.
const char* FileNameOf(const char* pszPath) {
    const char* pszName = pszPath;
    for (const char* p = pszPath; *p; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1])
            ++p;
        else if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    return pszName;
}

} // namespace

CDocument::~CDocument() {
    for (POSITION pos = m_views.GetHeadPosition(); pos;)
        m_views.GetNext(pos)->m_pDocument = nullptr;
}

void CDocument::SetPathName(const char* pszPathName) {
    char szFull[MAX_PATH];
    DWORD n = GetFullPathNameA(pszPathName, MAX_PATH, szFull, nullptr);
    m_strPathName = (n > 0 && n < MAX_PATH) ? szFull : pszPathName;
    SetTitle(FileNameOf(m_strPathName));
}

void CDocument::AddView(CView* pView) {
    if (pView->m_pDocument == this)
        return;
    if (pView->m_pDocument)
        pView->m_pDocument->RemoveView(pView);
    m_views.AddTail(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    POSITION pos = m_views.Find(pView);
    if (!pos)
        return;
    m_views.RemoveAt(pos);
    pView->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    // The next position is taken first: a view may leave while it updates.
    for (POSITION pos = m_views.GetHeadPosition(); pos;) {
        CView* pView = m_views.GetNext(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::Serialize(CArchive&) {}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const char* pszPathName) {
    CFile file;
    if (!file.Open(pszPathName, CFile::modeRead)) {
        ReportOpenFailure(pszPathName, file.GetError());
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true); // whatever happens now, the contents are not the file's
    CArchive ar(&file, CArchive::load);
    Serialize(ar);
    if (ar.GetError() != 0) {
        DeleteContents();
        ReportOpenFailure(pszPathName, ar.GetError());
        return false;
    }
    SetPathName(pszPathName);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const char* pszPathName) {
    CReplacingFile file;
    if (!file.Open(pszPathName)) {
        ReportSaveFailure(pszPathName, file.GetError());
        return false;
    }
    DWORD dwError = 0;
    {
        CArchive ar(&file.GetFile(), CArchive::store);
        Serialize(ar);
        ar.Close();
        dwError = ar.GetError();
    }
    if (dwError == 0 && !file.Commit())
        dwError = file.GetError();
    if (dwError != 0) {
        file.Abandon();
        ReportSaveFailure(pszPathName, dwError);
        return false;
    }
    SetPathName(pszPathName);
    SetModifiedFlag(false);
    return true;
}
