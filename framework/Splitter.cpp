#include "Splitter.h"

bool CSplitter::Hits(POINT point) const {
    return m_bEnabled && ::PtInRect(&m_rcBar, point);
}

void CSplitter::ShowCursor() const {
    ::SetCursor(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDCursor)));
}

void CSplitter::InvertLine(int x) const {
    HWND hWnd = m_owner.GetSafeHwnd();
    HDC hDC = ::GetDC(hWnd);
    int nOldRop = ::SetROP2(hDC, R2_NOT);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    ::MoveToEx(hDC, x, m_rcBar.top, nullptr);
    ::LineTo(hDC, x, m_rcBar.bottom);
    ::SelectObject(hDC, hOldBrush);
    ::SetROP2(hDC, nOldRop);
    ::ReleaseDC(hWnd, hDC);
}

void CSplitter::OnButtonDown(POINT point) {
    if (!Hits(point))
        return;
    ShowCursor();
    InvertLine(point.x);
    m_nDragX = m_nStartX = point.x;
    m_bDragging = true;
    ::SetCapture(m_owner.GetSafeHwnd());
}

void CSplitter::OnMouseMove(POINT point) {
    if (Hits(point))
        ShowCursor();
    if (!m_bDragging)
        return;
    int x = point.x;
    if (x < m_nLeft)
        x = m_nLeft;
    if (x > m_nRight)
        x = m_nRight;
    InvertLine(m_nDragX);
    InvertLine(x);
    m_nDragX = x;
}

bool CSplitter::OnButtonUp(POINT point, int* pnMoved) {
    if (!m_bDragging)
        return false;
    InvertLine(m_nDragX);
    m_bDragging = false;
    ::ReleaseCapture();
    m_owner.Invalidate(true);
    *pnMoved = point.x - m_nStartX;
    return true;
}
