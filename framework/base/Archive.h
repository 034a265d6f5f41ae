// Text reading and writing over an open CFile, in one direction.
//
// Loading: ReadString takes one line at a time. A line ends at LF or at
// CR LF and the terminator is not part of it; a CR always takes the next
// byte along, an LF there being dropped and any other byte staying as the
// line's last character. The last line needs no terminator and a line has
// no length limit. NUL bytes are ordinary characters.
//
// Storing: WriteString writes the string's bytes and nothing else, through
// a buffer that Close (or the destructor) writes out.
//
// The first file error is kept (GetError) and makes every later call a
// no-op, so a writer can write all its lines and be checked once at the end.
#pragma once

#include <vector>

#include "File.h"
#include "String.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* pFile, Mode nMode, UINT nBufferSize = 65536);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive() { Close(); }

    bool IsStoring() const { return m_nMode == store; }
    bool IsLoading() const { return m_nMode == load; }

    // False (and rString empty) only when no byte at all is left or the
    // file cannot be read.
    bool ReadString(CString& rString);
    void WriteString(const CString& str);
    void WriteString(const char* psz);

    // Writes out what is still buffered; the file itself stays open.
    void Close();
    // The system error of the first failure, 0 while everything worked.
    DWORD GetError() const { return m_dwError; }

private:
    bool Fill();
    void Write(const char* pch, size_t nCount);
    void WriteBuffer();

    CFile* m_pFile;
    Mode m_nMode;
    std::vector<char> m_buffer;
    size_t m_nPos = 0; // next unread byte (load) or first free byte (store)
    size_t m_nEnd = 0; // end of the bytes read (load)
    DWORD m_dwError = 0;
};
