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

    // Stores a value of at most 7 bytes in one of the fixed fields. A longer
    // value is refused: the field keeps what it held and the result is
    // false. Nothing is ever cut, since a cut number is a different number.
    static bool SetOption(char (&szField)[OPTION_FIELD_SIZE], const char* pszValue);

    // Store a value in one field. A value longer than 7 bytes is replaced by
    // the short text that every reader of the field takes the same way:
    // - history: the number it reads as (not a number reads as 0) without
    //   leading zeros, "00000001" -> "1"; a number too long even so is at
    //   least ten million, which becomes "99", the most generations the
    //   program offers, or negative, which keeps no history just as "0";
    // - subfolders: anything but "する" means no, so "しない";
    // - filter mode: the number without leading zeros, "-0000001" -> "-1";
    //   a number too long even so filters nothing, just as "-1".
    // The result is false when the value was replaced.
    bool SetHistory(const char* pszValue);
    bool SetSubfolders(const char* pszValue);
    bool SetFilterMode(const char* pszValue);

    CString m_strFolder;                    // the source folder
    CString m_strMirror;                    // its mirror folder in the destination
    CString m_strNote;                      // free note
    char m_szHistory[OPTION_FIELD_SIZE];    // history generations, decimal
    char m_szSubfolders[OPTION_FIELD_SIZE]; // "する" or "しない"
    char m_szFilterMode[OPTION_FIELD_SIZE]; // "-1" none, "0" exclude, "1" only
    CString m_strExtensions;                // comma-separated extensions
};

// The option texts that mean "back up subfolders" and "don't".
extern const char* const SUBFOLDERS_YES;
extern const char* const SUBFOLDERS_NO;
