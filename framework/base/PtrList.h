// Doubly linked list with POSITION iteration, shared by CStringList and
// CObList. Appending allocates one node; when the allocation fails the list
// is unchanged and std::bad_alloc reaches the caller.
#pragma once

#include <cstddef>
#include <new>
#include "Types.h"

template <class T> class CTypedList {
public:
    explicit CTypedList(int nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    CTypedList(const CTypedList&) = delete;
    CTypedList& operator=(const CTypedList&) = delete;
    ~CTypedList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    int GetBlockSize() const { return m_nBlockSize; }

    POSITION AddTail(const T& value) {
        CNode* pNode = NewNode(value);
        pNode->pPrev = m_pTail;
        (m_pTail ? m_pTail->pNext : m_pHead) = pNode;
        m_pTail = pNode;
        return ToPosition(pNode);
    }

    POSITION AddHead(const T& value) {
        CNode* pNode = NewNode(value);
        pNode->pNext = m_pHead;
        (m_pHead ? m_pHead->pPrev : m_pTail) = pNode;
        m_pHead = pNode;
        return ToPosition(pNode);
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pTail); }
    T& GetHead() { return m_pHead->data; }
    T& GetTail() { return m_pTail->data; }

    // Returns the element at rPosition and moves rPosition to the next one.
    T& GetNext(POSITION& rPosition) const {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    T& GetPrev(POSITION& rPosition) const {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    T& GetAt(POSITION position) const { return FromPosition(position)->data; }

    POSITION Find(const T& value) const {
        for (CNode* p = m_pHead; p; p = p->pNext)
            if (p->data == value)
                return ToPosition(p);
        return nullptr;
    }

    POSITION FindIndex(INT_PTR nIndex) const {
        CNode* p = m_pHead;
        for (; p && nIndex > 0; --nIndex)
            p = p->pNext;
        return nIndex == 0 ? ToPosition(p) : nullptr;
    }

    void RemoveAt(POSITION position) {
        CNode* pNode = FromPosition(position);
        (pNode->pPrev ? pNode->pPrev->pNext : m_pHead) = pNode->pNext;
        (pNode->pNext ? pNode->pNext->pPrev : m_pTail) = pNode->pPrev;
        delete pNode;
        --m_nCount;
    }

    T RemoveHead() {
        T value = m_pHead->data;
        RemoveAt(ToPosition(m_pHead));
        return value;
    }

    void RemoveAll() {
        while (m_pHead) {
            CNode* pNext = m_pHead->pNext;
            delete m_pHead;
            m_pHead = pNext;
        }
        m_pTail = nullptr;
        m_nCount = 0;
    }

    // Test seam: after nNodes more successful appends every append fails as
    // if memory had run out (-1 turns the limit off). Lets the callers'
    // out-of-memory paths run for real.
    void FailAllocationsAfter(INT_PTR nNodes) { m_nAllocationsLeft = nNodes; }

private:
    struct CNode {
        explicit CNode(const T& value) : data(value) {}
        CNode* pNext = nullptr;
        CNode* pPrev = nullptr;
        T data;
    };

    CNode* NewNode(const T& value) {
        if (m_nAllocationsLeft == 0)
            throw std::bad_alloc();
        CNode* pNode = new CNode(value);
        if (m_nAllocationsLeft > 0)
            --m_nAllocationsLeft;
        ++m_nCount;
        return pNode;
    }

    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* FromPosition(POSITION position) { return reinterpret_cast<CNode*>(position); }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
    int m_nBlockSize;
    INT_PTR m_nAllocationsLeft = -1;
};
