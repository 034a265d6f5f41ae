#include "View.h"

#include "Document.h"

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {}
