// CSingleDocTemplate: one document at a time, in one frame with one view.
// The resource id names the frame's menu, accelerators, icon and tool bar,
// and a string of line-feed separated fields (see DocStringIndex):
//
//     "Notes\nNote\nNotes File\nNotes Files (*.nts)\n.nts\nntsfile\nNotes File"
//
// The classes come as factories, so the template needs no run-time class
// information:
//
//     AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME,
//         [] { return new CMyDoc; }, [] { return new CMainFrame; },
//         [] { return new CMyView; }));
//
// The first open makes the document, the frame and the view; later ones
// reuse them after the document agreed to be replaced (SaveModified).
#pragma once

#include <functional>

#include "String.h"

class CDocument;
class CFormView;
class CFrameWnd;

class CSingleDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,     // the frame's title
        docName,         // base name of a new document's title
        fileNewName,     // type name in a File New choice
        filterName,      // file dialog filter text
        filterExt,       // extension with its period, ".nts"
        regFileTypeId,   // registry type id
        regFileTypeName, // registry type name
    };
    typedef std::function<CDocument*()> DocumentFactory;
    typedef std::function<CFrameWnd*()> FrameFactory;
    typedef std::function<CFormView*()> ViewFactory;

    CSingleDocTemplate(UINT nIDResource, DocumentFactory newDocument, FrameFactory newFrame,
                       ViewFactory newView);
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;
    // Closes the document and its frame without asking.
    ~CSingleDocTemplate();

    UINT GetResourceID() const { return m_nIDResource; }
    // False when the field is missing or empty.
    bool GetDocString(CString& rString, DocStringIndex nIndex) const;
    // The file dialog filter, "name\npattern", empty without one.
    CString GetFileFilter() const;

    // A new document (null) or the file pszPathName, in the one frame.
    // Null when the open document refused to go, when a frame could not
    // be made, or when the new or open failed (reported by the document).
    // A failed open leaves an existing document as it was, unless the
    // failure already emptied it; then it becomes a new document.
    CDocument* OpenDocumentFile(const char* pszPathName, bool bMakeVisible = true);
    CDocument* GetDocument() const { return m_pDocument; }
    // Before the document is closed or replaced: a modified document is
    // offered to be saved (Yes saves, No drops the changes, Cancel keeps
    // the document). False when it must stay.
    bool SaveModified();
    // Saves the document to pszPathName, or to a name the user picks when
    // it is null (Save As), and adds it to the recent files. False when
    // the user cancelled or the save failed.
    bool DoSave(const char* pszPathName);
    // The Save command: under the document's own name when it has one.
    bool SaveDocument();
    // The frame, or null once its window is gone.
    CFrameWnd* GetFrame() const;
    // Destroys the frame (and so the view) and deletes the document.
    void CloseDocument();

private:
    bool CreateDocumentAndFrame();
    void SetDefaultTitle(CDocument* pDocument) const;
    bool OpenInto(CDocument* pDocument, const char* pszPathName, bool bCreated);

    UINT m_nIDResource;
    CString m_strDocStrings;
    DocumentFactory m_newDocument;
    FrameFactory m_newFrame;
    ViewFactory m_newView;
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
};
