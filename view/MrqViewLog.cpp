// The log panel: three lines of the log at the foot of the view, moved a
// line at a time by the arrows of its scroll bar.
#include "MrqView.h"

#include "LogBuffer.h"

namespace {

// The scroll bar only offers its arrows: the thumb rests mid-range.
const int SCROLL_MIN = 0;
const int SCROLL_MAX = 4;
const int SCROLL_REST = 2;

} // namespace

void CMrqView::ShowLogText() {
    m_logText.SetWindowText(g_pLog->GetVisibleText());
}

void CMrqView::InitLogView() {
    g_pLog->Clear();
    g_pLog->AddLine("mrq BackupTool LogView");
    ShowLogText();
    m_logScroll.SetScrollRange(SCROLL_MIN, SCROLL_MAX, true);
    m_logScroll.SetScrollPos(SCROLL_REST, true);
}

void CMrqView::AppendLog(const char* pszPart1, const char* pszPart2, const char* pszPart3) {
    if (pszPart1) {
        CString strLine = pszPart1;
        if (pszPart2)
            strLine += pszPart2;
        if (pszPart3)
            strLine += pszPart3;
        g_pLog->AddLine(strLine);
    }
    ShowLogText();
}

LRESULT CMrqView::OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != m_logScroll.GetSafeHwnd())
        return 0;
    CString strText;
    bool bMoved = false;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        bMoved = g_pLog->ScrollUp(strText);
        break;
    case SB_LINEDOWN:
        bMoved = g_pLog->ScrollDown(strText);
        break;
    default:
        break;
    }
    if (bMoved)
        m_logText.SetWindowText(strText);
    m_logScroll.SetScrollPos(SCROLL_REST, true);
    return 0;
}
