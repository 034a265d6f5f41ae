// A file opened once for everything a backup does with it: its facts for
// the comparison, then its content for the copy, through the same handle.
// Opened without sharing, nobody else can open the file, let alone change
// it, between the comparison and the end of the copy.
#pragma once

#include <windows.h>

#include "FileFacts.h"
#include "Handle.h"

class CSourceFile {
public:
    CSourceFile() = default;
    CSourceFile(const CSourceFile&) = delete;
    CSourceFile& operator=(const CSourceFile&) = delete;

    // Opens the file for reading with the share mode given (0 fails while
    // another program holds it) and reads its facts. False, with the
    // system's error code set, when either fails; the file is then closed.
    bool Open(const char* pszPath, DWORD dwShare);
    void Close() { m_hFile.Close(); }
    bool IsOpen() const { return m_hFile.IsValid(); }

    HANDLE Handle() const { return m_hFile; }
    // Times and attributes as the copy gives them to its target.
    const FILE_BASIC_INFO& Basic() const { return m_basic; }
    ULONGLONG GetSize() const { return m_nSize; }
    // The facts the comparison looks at.
    CFileFacts Facts() const;

private:
    CHandle m_hFile;
    FILE_BASIC_INFO m_basic = {};
    ULONGLONG m_nSize = 0;
};

// Told how far a copy has come, after each block it wrote.
class CCopyProgress {
public:
    // nBytes: what this block wrote. False stops the copy; the copy then
    // fails with the last error the callee set.
    virtual bool OnBlockCopied(ULONGLONG nBytes) = 0;

protected:
    ~CCopyProgress() = default;
};
