// Root of the framework's polymorphic objects: lists of objects own nothing,
// but whoever owns an entry can destroy it through the virtual destructor.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;
};
