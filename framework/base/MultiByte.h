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
