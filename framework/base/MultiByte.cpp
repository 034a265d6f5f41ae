#include "MultiByte.h"

bool IsLeadByte(unsigned char ch) {
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

bool IsTrailByte(unsigned char ch) {
    return (ch >= 0x40 && ch <= 0x7E) || (ch >= 0x80 && ch <= 0xFC);
}

bool IsDoubleByteAt(const char* p) {
    return IsLeadByte(static_cast<unsigned char>(p[0])) &&
           IsTrailByte(static_cast<unsigned char>(p[1]));
}

int CharLengthAt(const char* p) {
    return IsDoubleByteAt(p) ? 2 : 1;
}
