// The new version of a file, written under a temporary name in the file's
// own folder and put in place of the old version only by Commit, once
// every byte is flushed to the disk. Until then, and after any failure,
// the old file is untouched; the temporary file never outlives the object.
#pragma once

#include "File.h"
#include "String.h"

class CReplacingFile {
public:
    CReplacingFile() = default;
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;
    ~CReplacingFile() { Abandon(); }

    // Creates the temporary file beside pszTarget. Refuses a target that is
    // read-only or a folder, as Windows would refuse to replace it.
    bool Open(const char* pszTarget);
    // The temporary file, open for writing.
    CFile& GetFile() { return m_file; }
    // Flushes and closes the temporary file and moves it over the target.
    bool Commit();
    // Closes and deletes the temporary file.
    void Abandon();

    // The system error of the failure, 0 while everything worked.
    DWORD GetError() const { return m_dwError; }
    const CString& GetTempName() const { return m_strTemp; }

private:
    bool Fail(DWORD dwError);

    CFile m_file;
    CString m_strTarget;
    CString m_strTemp;
    DWORD m_dwTargetAttributes = INVALID_FILE_ATTRIBUTES;
    DWORD m_dwError = 0;
};
