// Names and paths as the program carries them: texts of the code page in
// which a character the code page lacks (é, the yen sign, Hangul, an emoji)
// stands as an escape that no name of the code page holds, the byte 0x01
// and the four hexadecimal digits of its UTF-16 unit ("Caf\x01" "00E9"). A
// name the code page holds is its own text, byte for byte; every other name
// is exact too, so a path joined from listed names leads to the file they
// name and to no other. The escape is single bytes only, none of them a
// backslash, so paths are joined and split by the double-byte rule as
// before.
//
// Such a text goes to the system only through the wide interface
// (SystemPathOf, PathCalls.h) and to the user only through ShownText.
#pragma once

#include <string>

#include "String.h"

const char NAME_ESCAPE = '\x01';

// A name a path can reach: none of \ / * ? " < > | and no control
// character. Wine lists a Linux name as it is, and such a name joined into
// a path names another file, a pattern, or nothing at all.
bool IsReachableName(const wchar_t* pszName);

// The exact text of a listed name.
CString ExactNameText(const wchar_t* pszName);

// True when the text holds an escape: the code page lacks part of it.
bool HasNameEscapes(const char* pszText);

// The text in UTF-16, escapes undone.
std::wstring WideOfText(const char* pszText);

// The path as the system's wide calls take it: in the long form (\\?\,
// \\?\UNC\ for a share) when it is too long for the plain one or a name of
// it ends in a dot or a space, which the plain form would drop.
std::wstring SystemPathOf(const char* pszPath);

// What the user reads of a text: the code page, with "?" for each
// character it lacks. Only shown, never used as a path.
CString ShownText(const char* pszText);

// From this length on (in UTF-16 units) a path takes the long form: the
// plain form of a folder must leave room for a 12-unit name below it.
const size_t LONG_FORM_FROM = MAX_PATH - 12;

// The longest path the file system takes, in UTF-16 units.
const size_t LONGEST_PATH = 32767;
