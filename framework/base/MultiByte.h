// Characters of code page 932 (Shift-JIS), the program's only text encoding.
//
// A lead byte is 0x81-0x9F or 0xE0-0xFC. 0xF0-0xF9 begin the user-defined
// characters and 0xFA-0xFC the IBM extension kanji, which are common in
// personal names: 纊 is FA 5C and 犾 FB 5C, so their trail byte looks like a
// backslash. A lead byte followed by a trail byte (0x40-0x7E or 0x80-0xFC)
// is one character; every byte-wise scan of a path or a text steps over it
// whole, through these functions and no others.
#pragma once

bool IsLeadByte(unsigned char ch);
bool IsTrailByte(unsigned char ch);
// True when p[0] and p[1] form one double-byte character.
bool IsDoubleByteAt(const char* p);
// Bytes of the character at p: 2 for a double-byte character, else 1.
int CharLengthAt(const char* p);

#include <string>

// Conversions between the program's text and the UTF-16 names of the file
// system, made as the system's ANSI functions make them, so that a name
// the code page holds comes out byte for byte as those functions give it.

// The text in UTF-16.
std::wstring ToWide(const char* psz);

// The name in the code page, into strOut. True when the code page holds
// every character of it exactly; otherwise each character it lacks is "?"
// in strOut (never its look-alike: é is no e, and the yen sign is no
// backslash), and the text only serves to show the name.
bool ToCodePage(const wchar_t* pszWide, std::string& strOut);

// True when the text holds nothing but characters of the code page (no
// lone lead byte, no unassigned pair), so that it names exactly one name.
bool IsCodePageText(const char* psz);
