// CImageList: owns one image list; the destructor destroys it. Controls that
// show it get the handle and, except list views without
// LVS_SHAREIMAGELISTS, do not destroy it themselves.
#pragma once

#include "Types.h"

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { DeleteImageList(); }

    // nFlags: ILC_COLOR24 | ILC_MASK and the like.
    bool Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    bool DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // Takes over a list (the object must be empty); Detach gives it up.
    bool Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // Each returns the index of the (first) new image, or -1.
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    int Add(HBITMAP hBitmap, COLORREF crMask) {
        return ImageList_AddMasked(m_hImageList, hBitmap, crMask);
    }
    int Add(HBITMAP hBitmap, HBITMAP hMask) { return ImageList_Add(m_hImageList, hBitmap, hMask); }
    // nImage -1 appends the icon; the list keeps a copy of it.
    int ReplaceIcon(int nImage, HICON hIcon) {
        return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
    }
    bool Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage) != 0; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

private:
    HIMAGELIST m_hImageList = nullptr;
};
