// Ordered list of object pointers; it owns nothing.
#pragma once

#include "Object.h"
#include "PtrList.h"

class CObList : public CTypedList<CObject*> {
public:
    explicit CObList(int nBlockSize = 10) : CTypedList<CObject*>(nBlockSize) {}
};
