// One registered source folder of a backup set, with its options.
#pragma once

#include "Object.h"
#include "String.h"

// Width of the fixed option fields: at most 7 bytes of text and the NUL.
const int OPTION_FIELD_SIZE = 8;

class CBackupSource : public CObject {
public:
    explicit CBackupSource(const CString& strFolder = CString());
    ~CBackupSource() override = default;

    // Stores a value in one of the fixed fields. A longer value is cut to 7
    // bytes, never inside a double-byte character.
    static void SetOption(char (&szField)[OPTION_FIELD_SIZE], const char* pszValue);

    CString m_strFolder;                      // the source folder
    CString m_strMirror;                      // its mirror folder in the destination
    CString m_strNote;                        // free note
    char m_szHistory[OPTION_FIELD_SIZE];      // history generations, decimal
    char m_szSubfolders[OPTION_FIELD_SIZE];   // "する" or "しない"
    char m_szFilterMode[OPTION_FIELD_SIZE];   // "-1" none, "0" exclude, "1" only
    CString m_strExtensions;                  // comma-separated extensions
};

// The option texts that mean "back up subfolders" and "don't".
extern const char* const SUBFOLDERS_YES;
extern const char* const SUBFOLDERS_NO;
