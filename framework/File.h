// Files. For now only the status query the engine needs.
#pragma once

#include "Time.h"

struct CFileStatus {
    CTime m_ctime;   // creation time
    CTime m_mtime;   // last modification time
    CTime m_atime;   // last access time
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[MAX_PATH] = {};
};

class CFile {
public:
    // Fills rStatus for the file or folder named pszFileName; false when it
    // cannot be found or its full path does not fit in MAX_PATH. Times the
    // file system does not keep (zero) come back as CTime(0).
    static bool GetStatus(const char* pszFileName, CFileStatus& rStatus);
};
