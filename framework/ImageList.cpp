#include "ImageList.h"

bool CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    if (m_hImageList)
        return false;
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

bool CImageList::DeleteImageList() {
    if (!m_hImageList)
        return false;
    ImageList_Destroy(Detach());
    return true;
}

bool CImageList::Attach(HIMAGELIST hImageList) {
    if (m_hImageList || !hImageList)
        return false;
    m_hImageList = hImageList;
    return true;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}
