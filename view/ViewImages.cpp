#include "ViewImages.h"

#include "resource.h"

void CViewImages::Create() {
    m_bBusy = true;
    m_pImages = std::make_unique<CImageList>();
    m_pImages->Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    for (int i = 0; i < IDB_IMAGE_COUNT; i++) {
        HBITMAP hBitmap = static_cast<HBITMAP>(
            ::LoadImageA(hInstance, MAKEINTRESOURCEA(IDB_IMAGE_FIRST + i), IMAGE_BITMAP, 0, 0, 0));
        m_pImages->Add(hBitmap, RGB(0, 0, 255));
        ::DeleteObject(hBitmap);
    }
    m_bBusy = false;
}

HIMAGELIST CViewImages::GetSafeHandle() const {
    return m_pImages ? m_pImages->GetSafeHandle() : nullptr;
}

int CViewImages::GetImageCount() const {
    return m_pImages ? m_pImages->GetImageCount() : 0;
}

CIconEntry* CViewImages::GetFileIcon(const char* pszPath) {
    m_bBusy = true;
    CIconEntry* pEntry = m_icons.GetFileIcon(pszPath, *m_pImages);
    m_bBusy = false;
    return pEntry;
}
