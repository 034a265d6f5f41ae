// Files: a thin wrapper of one Win32 file handle (held by a CHandle), and the status query the
// engine needs. Failures are return values; GetError() keeps the system
// error of the last failed call so the document layer can report it.
#pragma once

#include "Handle.h"
#include "Time.h"

struct CFileStatus {
    CTime m_ctime; // creation time
    CTime m_mtime; // last modification time
    CTime m_atime; // last access time
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[MAX_PATH] = {};
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,   // read an existing file; others may read it too
        modeWrite = 0x0001,  // write an existing file, nobody else may open it
        modeCreate = 0x1000, // with modeWrite: create the file, or empty an existing one
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }

    bool Open(const char* pszFileName, UINT nOpenFlags);
    bool IsOpen() const { return m_hFile.IsValid(); }
    // Bytes read into pBuffer; 0 at the end of the file, -1 on a read error.
    int Read(void* pBuffer, UINT nCount);
    // True only when every byte was written.
    bool Write(const void* pBuffer, UINT nCount);
    // Pushes the written bytes to the disk (FlushFileBuffers).
    bool Flush();
    // False when the system reports a failure on closing.
    bool Close();
    // Length in bytes, 0 when it cannot be determined.
    ULONGLONG GetLength() const;
    DWORD GetError() const { return m_dwError; }

    // Fills rStatus for the file or folder named pszFileName; false when it
    // cannot be found or its full path does not fit in MAX_PATH. Times the
    // file system does not keep (zero) come back as CTime(0).
    static bool GetStatus(const char* pszFileName, CFileStatus& rStatus);

    // Test seam: every file opened for writing from now on takes nBytes
    // bytes and then fails the way a full disk does (ERROR_DISK_FULL), so a
    // save can be made to fail halfway. -1 turns the limit off.
    static void FailWritesAfter(LONGLONG nBytes);

private:
    bool Fail();

    CHandle m_hFile;
    DWORD m_dwError = 0;
    LONGLONG m_nWritesLeft = -1;
};
