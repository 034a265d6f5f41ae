// A document: the data a program edits, its file, its modified flag and
// the views that show it.
//
// Opening reads the file through Serialize after DeleteContents has emptied
// the document. Saving writes a new file beside the old one and puts it in
// the old one's place only when every byte is on the disk, so a failed save
// (full disk, read-only file, path too long) never costs the previous file.
// The path name is recorded only after a load or save succeeded, so views
// updated from inside Serialize still see the previous one. Failures are
// shown through AfxMessageBox, in the words of the program's string table
// (AppText.h), and returned as false.
//
// A document is also a command target: in a frame, commands the active
// view does not take come here. Asking the user (whether to save, under
// which name) is the template's part, in the window layer (DocTemplate.h).
#pragma once

#include "CmdTarget.h"
#include "Object.h"
#include "PtrList.h"
#include "String.h"

class CArchive;
class CView;
class CSingleDocTemplate;

class CDocument : public CObject, public CCmdTarget {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    // Detaches the views; it destroys none of them.
    ~CDocument() override;

    const CString& GetPathName() const { return m_strPathName; }
    // Records the full path of pszPathName (as given when it has none); the
    // title becomes its file name.
    void SetPathName(const char* pszPathName);
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* pszTitle) { m_strTitle = pszTitle; }

    // The template that made the document, or null.
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_views.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return m_views.GetNext(rPosition); }
    // Calls OnUpdate of every attached view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Empties the document; derived documents free their data here.
    virtual void DeleteContents() {}
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const char* pszPathName);
    virtual bool OnSaveDocument(const char* pszPathName);
    // Writes the document to, or reads it from, ar.
    virtual void Serialize(CArchive& ar);

private:
    friend class CSingleDocTemplate; // sets m_pDocTemplate
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    CString m_strTitle;
    CString m_strPathName;
    bool m_bModified = false;
    CTypedList<CView*> m_views;
};
