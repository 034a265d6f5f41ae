// Helpers for document tests: a view that records its updates, a capture
// of the message boxes shown, and the committed test data files.
#pragma once

#include <string>
#include <vector>

#include "Document.h"
#include "MessageBox.h"
#include "String.h"
#include "View.h"

struct CUpdateRecord {
    CView* pSender;
    LPARAM lHint;
    CObject* pHint;
    CString strPathName; // the document's path when the update came
};

class CRecordingView : public CView {
public:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override {
        CString strPath = GetDocument() ? GetDocument()->GetPathName() : CString();
        m_updates.push_back({pSender, lHint, pHint, strPath});
    }
    std::vector<LPARAM> Hints() const {
        std::vector<LPARAM> hints;
        for (const CUpdateRecord& r : m_updates)
            hints.push_back(r.lHint);
        return hints;
    }
    std::vector<CUpdateRecord> m_updates;
};

// Answers every message box with OK while alive and keeps the texts.
class CMessageCapture {
public:
    CMessageCapture() {
        Texts().clear();
        AfxSetMessageBoxHandler(&Handler);
    }
    ~CMessageCapture() { AfxSetMessageBoxHandler(nullptr); }
    const std::vector<std::string>& Shown() const { return Texts(); }

private:
    static std::vector<std::string>& Texts() {
        static std::vector<std::string> s_texts;
        return s_texts;
    }
    static int Handler(HWND, const char* pszText, const char*, UINT) {
        Texts().push_back(pszText);
        return IDOK;
    }
};

// A file of tests/data, read through the Z: drive that maps the Linux root.
inline std::string TestDataPath(const char* pszName) {
    std::string path = std::string("Z:") + MRQ_TEST_DATA + "/" + pszName;
    for (char& ch : path)
        if (ch == '/')
            ch = '\\';
    return path;
}
