#include "Archive.h"

#include <cstring>
#include <string>

CArchive::CArchive(CFile* pFile, Mode nMode, UINT nBufferSize)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(nBufferSize > 0 ? nBufferSize : 1) {}

bool CArchive::Fill() {
    if (m_dwError != 0)
        return false;
    int nRead = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    if (nRead < 0)
        m_dwError = m_pFile->GetError();
    m_nPos = 0;
    m_nEnd = nRead > 0 ? static_cast<size_t>(nRead) : 0;
    return m_nEnd > 0;
}

bool CArchive::ReadString(CString& rString) {
    std::string line;
    bool bAny = false;
    for (;;) {
        if (m_nPos == m_nEnd && !Fill())
            break;
        bAny = true;
        // Take the whole run up to the next CR or LF in one append, so a
        // very long line costs no more than its copy.
        const char* pStart = m_buffer.data() + m_nPos;
        const char* pEnd = m_buffer.data() + m_nEnd;
        const char* p = pStart;
        while (p < pEnd && *p != '\n' && *p != '\r')
            ++p;
        line.append(pStart, p);
        m_nPos += static_cast<size_t>(p - pStart);
        if (p == pEnd)
            continue;
        char chEnd = m_buffer[m_nPos++];
        if (chEnd == '\r' && (m_nPos < m_nEnd || Fill())) {
            char chNext = m_buffer[m_nPos++];
            if (chNext != '\n')
                line += chNext;
        }
        break;
    }
    rString = CString(line);
    return bAny;
}

void CArchive::WriteString(const CString& str) {
    Write(str.str().data(), str.str().size());
}

void CArchive::WriteString(const char* psz) {
    Write(psz, std::strlen(psz));
}

void CArchive::Write(const char* pch, size_t nCount) {
    while (nCount > 0 && m_dwError == 0) {
        if (m_nPos == m_buffer.size())
            WriteBuffer();
        size_t nChunk = m_buffer.size() - m_nPos;
        if (nChunk > nCount)
            nChunk = nCount;
        std::memcpy(m_buffer.data() + m_nPos, pch, nChunk);
        m_nPos += nChunk;
        pch += nChunk;
        nCount -= nChunk;
    }
}

void CArchive::WriteBuffer() {
    if (m_dwError == 0 && m_nPos > 0 && !m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_nPos)))
        m_dwError = m_pFile->GetError();
    m_nPos = 0;
}

void CArchive::Close() {
    if (IsStoring())
        WriteBuffer();
}
