// The document's side of the File menu: the save prompt and Save As.
#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "StdIds.h"
#include "WinApp.h"

const CMessageMap* CDocument::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(ID_FILE_SAVE, &CDocument::OnFileSave),
        MapCommand(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs),
    };
    static const CMessageMap s_map(CCmdTarget::GetMessageMap(), kEntries);
    return &s_map;
}

bool CDocument::SaveModified() {
    if (!IsModified())
        return true;
    CString strPrompt;
    strPrompt.Format("%s への変更を保存しますか?", static_cast<const char*>(m_strTitle));
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<const char*>(m_strPathName));
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CDocument::DoSave(const char* pszPathName) {
    CString strPathName = pszPathName ? pszPathName : "";
    if (strPathName.IsEmpty()) {
        strPathName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CString strFilter, strExt;
        if (m_pDocTemplate) {
            strFilter = m_pDocTemplate->GetFileFilter();
            m_pDocTemplate->GetDocString(strExt, CSingleDocTemplate::filterExt);
        }
        if (!AfxDoPromptFileName(strPathName, false, strFilter, strExt))
            return false;
    }
    if (!OnSaveDocument(strPathName))
        return false;
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddToRecentFileList(m_strPathName);
    return true;
}

void CDocument::OnFileSave() {
    DoSave(m_strPathName.IsEmpty() ? nullptr : static_cast<const char*>(m_strPathName));
}

void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}
