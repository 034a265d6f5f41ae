#include "Document.h"

#include "AppText.h"
#include "Archive.h"
#include "MessageBox.h"
#include "MultiByte.h"
#include "ReplacingFile.h"
#include "View.h"

namespace {

// Why a file operation failed, in the program's words.
CString DescribeError(DWORD dwError) {
    switch (dwError) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return AfxLoadString(AFX_IDS_ERROR_DISK_FULL);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return AfxLoadString(AFX_IDS_ERROR_WRITE_DENIED);
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return AfxLoadString(AFX_IDS_ERROR_PATH_TOO_LONG);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_NOT_READY:
        return AfxLoadString(AFX_IDS_ERROR_NOT_FOUND);
    default: {
        CString strNumber;
        strNumber.Format("%lu", dwError);
        return AfxFormatString(AFX_IDS_ERROR_NUMBER, strNumber);
    }
    }
}

void ReportFailure(UINT nIDPrompt, const char* pszPathName, DWORD dwError) {
    AfxMessageBox(AfxFormatString(nIDPrompt, pszPathName, DescribeError(dwError)),
                  MB_OK | MB_ICONEXCLAMATION);
}

// The part after the last separator. A trail byte 0x5C (as in "表") is
// part of its character, not a separator.
const char* FileNameOf(const char* pszPath) {
    const char* pszName = pszPath;
    for (const char* p = pszPath; *p; p += CharLengthAt(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
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
        ReportFailure(AFX_IDP_FAILED_TO_OPEN_DOC, pszPathName, file.GetError());
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true); // whatever happens now, the contents are not the file's
    CArchive ar(&file, CArchive::load);
    Serialize(ar);
    if (ar.GetError() != 0) {
        DeleteContents();
        ReportFailure(AFX_IDP_FAILED_TO_OPEN_DOC, pszPathName, ar.GetError());
        return false;
    }
    SetPathName(pszPathName);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const char* pszPathName) {
    CReplacingFile file;
    if (!file.Open(pszPathName)) {
        ReportFailure(AFX_IDP_FAILED_TO_SAVE_DOC, pszPathName, file.GetError());
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
        ReportFailure(AFX_IDP_FAILED_TO_SAVE_DOC, pszPathName, dwError);
        return false;
    }
    SetPathName(pszPathName);
    SetModifiedFlag(false);
    return true;
}
