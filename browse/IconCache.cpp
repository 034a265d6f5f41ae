#include "IconCache.h"

#include <memory>

#include <shellapi.h>

#include "IconHandle.h"
#include "IconSource.h"
#include "ImageList.h"

CIconEntry* CIconCache::GetFileIcon(const char* pszPath, CImageList& images) {
    // A type's icon is asked for by the name alone: the shell need not open
    // the file, which is most of what the call costs.
    const UINT nByName = HasIconOfItsOwn(pszPath) ? 0 : SHGFI_USEFILEATTRIBUTES;
    // The icon's index alone first: it is all a file of a known type needs,
    // and it makes no icon handle.
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(pszPath, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON | nByName))
        return nullptr;
    if (CIconEntry* pEntry = Find(info.iIcon))
        return pEntry;

    info = {};
    if (!::SHGetFileInfoA(pszPath, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_ICON | SHGFI_SMALLICON | nByName))
        return nullptr;
    CIconHandle icon(info.hIcon);
    if (CIconEntry* pEntry = Find(info.iIcon))
        return pEntry;
    int nImage = images.ReplaceIcon(-1, icon.Get());
    if (nImage < 0)
        return nullptr;
    auto pEntry = std::make_unique<CIconEntry>(info.iIcon, nImage);
    m_entries.AddTail(pEntry.get());
    return pEntry.release();
}

CIconEntry* CIconCache::Find(int nSystemIcon) const {
    for (POSITION pos = m_entries.GetHeadPosition(); pos;) {
        CIconEntry* pEntry = m_entries.GetNext(pos);
        if (pEntry->m_nSystemIcon == nSystemIcon)
            return pEntry;
    }
    return nullptr;
}

void CIconCache::DeleteAll() {
    for (POSITION pos = m_entries.GetHeadPosition(); pos;)
        delete m_entries.GetNext(pos);
    m_entries.RemoveAll();
}
