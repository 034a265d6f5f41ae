// CSplitter: a bar between two panes of a window that the user drags
// sideways. The window places the bar and passes its mouse messages on;
// while the button is held the splitter draws an inverted line where the
// bar would go, and at the release it says how far the mouse moved, so the
// window can place its panes anew by rules of its own.
#pragma once

#include "Wnd.h"

class CSplitter {
public:
    // The splitter of a bar in owner, showing the program's cursor
    // nIDCursor over the bar.
    CSplitter(CWnd& owner, UINT nIDCursor) : m_owner(owner), m_nIDCursor(nIDCursor) {}
    CSplitter(const CSplitter&) = delete;
    CSplitter& operator=(const CSplitter&) = delete;

    // A bar that is off (a page without one) starts no drag; a drag under
    // way goes on.
    void Enable(bool bEnable) { m_bEnabled = bEnable; }
    // Where the bar lies, in the owner's client pixels; the drag line runs
    // from its top to its bottom.
    void SetBar(const RECT& rcBar) { m_rcBar = rcBar; }
    // The leftmost and the rightmost place of the drag line.
    void SetDragRange(int nLeft, int nRight) {
        m_nLeft = nLeft;
        m_nRight = nRight;
    }

    const RECT& GetBar() const { return m_rcBar; }
    bool IsDragging() const { return m_bDragging; }
    // Where the drag line is drawn now.
    int GetDragX() const { return m_nDragX; }

    // The owner's mouse messages, in its client pixels.
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    // True when a drag ends here; *pnMoved is how far right of the press
    // (negative: left) the mouse was let go, as delivered: the release may
    // lie outside the drag range.
    bool OnButtonUp(POINT point, int* pnMoved);

private:
    bool Hits(POINT point) const;
    void ShowCursor() const;
    // Inverts the screen along the line; a second call at x restores it.
    void InvertLine(int x) const;

    CWnd& m_owner;
    UINT m_nIDCursor;
    RECT m_rcBar = {};
    int m_nLeft = 0;
    int m_nRight = 0;
    bool m_bEnabled = true;
    bool m_bDragging = false;
    // The splitter moves only sideways: the drag keeps no vertical position.
    int m_nDragX = 0;
    int m_nStartX = 0;
};
