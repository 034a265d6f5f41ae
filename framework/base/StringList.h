// Ordered list of strings.
#pragma once

#include "PtrList.h"
#include "String.h"

class CStringList : public CTypedList<CString> {
public:
    explicit CStringList(int nBlockSize = 10) : CTypedList<CString>(nBlockSize) {}
};
