// The shell icons of files, each added once to the view's image list:
// files that the shell gives the same icon share one entry and one image.
#pragma once

#include "IconEntry.h"
#include "PtrList.h"

class CImageList;

class CIconCache {
public:
    CIconCache() = default;
    CIconCache(const CIconCache&) = delete;
    CIconCache& operator=(const CIconCache&) = delete;
    ~CIconCache() { DeleteAll(); }

    // The entry of the file's small shell icon; the icon is appended to
    // images the first time it is met. A type's icon is found by the name
    // alone (see IconSource.h); null when the shell has no icon for the
    // path (a program that has gone, say).
    CIconEntry* GetFileIcon(const char* pszPath, CImageList& images);

    INT_PTR GetCount() const { return m_entries.GetCount(); }
    // Destroys every entry; the images stay in the list.
    void DeleteAll();

private:
    CIconEntry* Find(int nSystemIcon) const;

    CTypedList<CIconEntry*> m_entries{10};
};
