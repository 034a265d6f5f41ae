#include "DocTemplate.h"

#include "AppText.h"
#include "Document.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocumentFactory newDocument,
                                       FrameFactory newFrame, ViewFactory newView)
    : m_nIDResource(nIDResource), m_newDocument(std::move(newDocument)),
      m_newFrame(std::move(newFrame)), m_newView(std::move(newView)) {
    char szText[1024];
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), nIDResource, szText, sizeof(szText));
    m_strDocStrings = CString(szText, n > 0 ? n : 0);
}

CSingleDocTemplate::~CSingleDocTemplate() {
    CloseDocument();
}

bool CSingleDocTemplate::GetDocString(CString& rString, DocStringIndex nIndex) const {
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < nIndex; ++i) {
        nStart = m_strDocStrings.Find('\n', nStart);
        if (nStart < 0)
            return false;
        ++nStart;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    rString = nEnd < 0 ? m_strDocStrings.Mid(nStart) : m_strDocStrings.Mid(nStart, nEnd - nStart);
    return !rString.IsEmpty();
}

CString CSingleDocTemplate::GetFileFilter() const {
    CString strName, strExt;
    if (!GetDocString(strName, filterName) || !GetDocString(strExt, filterExt))
        return CString();
    return strName + "\n*" + strExt;
}

CFrameWnd* CSingleDocTemplate::GetFrame() const {
    bool bAlive = m_hWndFrame && ::IsWindow(m_hWndFrame) &&
                  CWnd::FromHandlePermanent(m_hWndFrame) == m_pFrame;
    return bAlive ? m_pFrame : nullptr;
}

void CSingleDocTemplate::CloseDocument() {
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->DestroyWindow(); // the frame and the view delete themselves
    m_pFrame = nullptr;
    m_hWndFrame = nullptr;
    delete m_pDocument;
    m_pDocument = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) const {
    CString strTitle;
    if (!GetDocString(strTitle, docName))
        strTitle = AfxLoadString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(strTitle);
}

bool CSingleDocTemplate::CreateDocumentAndFrame() {
    CDocument* pDocument = m_newDocument ? m_newDocument() : nullptr;
    if (!pDocument)
        return false;
    pDocument->m_pDocTemplate = this;
    CFrameWnd* pFrame = m_newFrame ? m_newFrame() : nullptr;
    CCreateContext context;
    context.m_pCurrentDoc = pDocument;
    context.m_newView = m_newView;
    if (!pFrame || !pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                                      &context)) {
        delete pFrame;
        delete pDocument;
        return false;
    }
    m_pDocument = pDocument;
    m_pFrame = pFrame;
    m_hWndFrame = pFrame->GetSafeHwnd();
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->m_pMainWnd)
        pApp->m_pMainWnd = pFrame;
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* pszPathName, bool bMakeVisible) {
    bool bCreated = false;
    if (m_pDocument && GetFrame()) {
        if (!SaveModified())
            return nullptr;
    } else {
        CloseDocument(); // a document whose frame went
        if (!CreateDocumentAndFrame())
            return nullptr;
        bCreated = true;
    }
    if (!OpenInto(m_pDocument, pszPathName, bCreated))
        return nullptr;
    m_pFrame->InitialUpdateFrame(m_pDocument, bMakeVisible);
    return m_pDocument;
}

bool CSingleDocTemplate::OpenInto(CDocument* pDocument, const char* pszPathName, bool bCreated) {
    if (!pszPathName) {
        SetDefaultTitle(pDocument);
        if (pDocument->OnNewDocument())
            return true;
        if (bCreated)
            CloseDocument();
        return false;
    }
    bool bWasModified = pDocument->IsModified();
    pDocument->SetModifiedFlag(false);
    if (pDocument->OnOpenDocument(pszPathName)) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(pDocument->GetPathName());
        return true;
    }
    if (bCreated) {
        CloseDocument();
    } else if (!pDocument->IsModified()) {
        pDocument->SetModifiedFlag(bWasModified); // untouched
    } else {
        // The failed read emptied the document: it starts afresh.
        SetDefaultTitle(pDocument);
        pDocument->OnNewDocument();
        m_pFrame->InitialUpdateFrame(pDocument, false);
    }
    return false;
}

bool CSingleDocTemplate::SaveModified() {
    if (!m_pDocument || !m_pDocument->IsModified())
        return true;
    CString strPrompt = AfxFormatString(AFX_IDP_ASK_TO_SAVE, m_pDocument->GetTitle());
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return SaveDocument();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CSingleDocTemplate::SaveDocument() {
    if (!m_pDocument)
        return false;
    const CString& strPathName = m_pDocument->GetPathName();
    return DoSave(strPathName.IsEmpty() ? nullptr : static_cast<const char*>(strPathName));
}

bool CSingleDocTemplate::DoSave(const char* pszPathName) {
    if (!m_pDocument)
        return false;
    CString strPathName = pszPathName ? pszPathName : "";
    if (strPathName.IsEmpty()) {
        strPathName = m_pDocument->GetPathName().IsEmpty() ? m_pDocument->GetTitle()
                                                           : m_pDocument->GetPathName();
        CString strExt;
        GetDocString(strExt, filterExt);
        if (!AfxDoPromptFileName(strPathName, false, GetFileFilter(), strExt))
            return false;
    }
    if (!m_pDocument->OnSaveDocument(strPathName))
        return false;
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddToRecentFileList(m_pDocument->GetPathName());
    return true;
}
