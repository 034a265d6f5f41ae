// A view shows one document and is told of its changes through OnUpdate.
// For now a view is only this link to its document; the window a real view
// lives in is added by a derived class of the window layer.
#pragma once

#include "Object.h"
#include "Types.h"

class CDocument;

class CView : public CObject {
public:
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    // Leaves the document's list of views.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // The document changed. pSender is the view that made the change (null
    // when the document did it itself); lHint and pHint say what changed.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

protected:
    CView() = default;

private:
    friend class CDocument; // sets m_pDocument in AddView and RemoveView
    CDocument* m_pDocument = nullptr;
};
