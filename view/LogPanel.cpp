#include "LogPanel.h"

#include "resource.h"

namespace {

// The scroll bar only offers its arrows: the thumb rests mid-range.
const int SCROLL_MIN = 0;
const int SCROLL_MAX = 4;
const int SCROLL_REST = 2;

} // namespace

void CLogPanel::Attach(const CWnd& form) {
    m_text.Attach(form.GetDlgItem(IDC_LOG_TEXT));
    m_frame.Attach(form.GetDlgItem(IDC_LOG_FRAME));
    m_scroll.Attach(form.GetDlgItem(IDC_LOG_SCROLL));
}

void CLogPanel::ShowText() {
    m_text.SetWindowText(m_buffer.GetVisibleText());
}

void CLogPanel::Reset() {
    m_buffer.Clear();
    m_buffer.AddLine("mrq BackupTool LogView");
    ShowText();
    m_scroll.SetScrollRange(SCROLL_MIN, SCROLL_MAX, true);
    m_scroll.SetScrollPos(SCROLL_REST, true);
}

void CLogPanel::Append(const char* pszPart1, const char* pszPart2, const char* pszPart3) {
    if (pszPart1) {
        CString strLine = pszPart1;
        if (pszPart2)
            strLine += pszPart2;
        if (pszPart3)
            strLine += pszPart3;
        m_buffer.AddLine(strLine);
    }
    ShowText();
}

void CLogPanel::AppendLines(const CString& strLines) {
    // A line feed is never a trail byte, so a byte search finds the ends.
    int nStart = 0;
    while (nStart < strLines.GetLength()) {
        int nEnd = strLines.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = strLines.GetLength();
        Append(strLines.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

void CLogPanel::OnScroll(UINT nCode, HWND hScrollBar) {
    if (hScrollBar != m_scroll.GetSafeHwnd())
        return;
    CString strText;
    bool bMoved = false;
    if (nCode == SB_LINEUP)
        bMoved = m_buffer.ScrollUp(strText);
    else if (nCode == SB_LINEDOWN)
        bMoved = m_buffer.ScrollDown(strText);
    if (bMoved)
        m_text.SetWindowText(strText);
    m_scroll.SetScrollPos(SCROLL_REST, true);
}

void CLogPanel::Show(int nCmdShow) {
    m_text.ShowWindow(nCmdShow);
    m_frame.ShowWindow(nCmdShow);
    m_scroll.ShowWindow(nCmdShow);
}
