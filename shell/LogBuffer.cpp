#include "LogBuffer.h"

namespace {

// The text after its first line (empty when there is no line feed).
CString WithoutFirstLine(const CString& str) {
    int nEnd = str.Find('\n');
    return nEnd < 0 ? CString() : str.Mid(nEnd + 1);
}

} // namespace

void CLogBuffer::Clear() {
    m_nLines = 0;
    m_nTop = 0;
    m_strText.Empty();
}

int CLogBuffer::AddLine(const char* pszText) {
    if (m_nLines < MAX_LINES)
        ++m_nLines;
    else
        m_strText = WithoutFirstLine(m_strText);
    m_strText += pszText;
    m_strText += '\n';
    if (m_nLines > SHOWN_LINES)
        m_nTop = m_nLines - SHOWN_LINES;
    return m_nTop;
}

CString CLogBuffer::GetVisibleText() const {
    CString str = m_strText;
    for (int i = 0; i < m_nTop; ++i)
        str = WithoutFirstLine(str);
    return str;
}

bool CLogBuffer::ScrollDown(CString& strText) {
    if (m_nTop >= m_nLines - 1)
        return false;
    ++m_nTop;
    strText = GetVisibleText();
    return true;
}

bool CLogBuffer::ScrollUp(CString& strText) {
    if (m_nTop <= 0)
        return false;
    --m_nTop;
    strText = GetVisibleText();
    return true;
}
