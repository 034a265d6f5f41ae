// The one picture list of the main view, which both trees and both lists
// show: fifteen pictures of the program's own (TreeImage, BrowseTree.h),
// then the shell icons of files, each added once.
#pragma once

#include <memory>

#include "BrowseTree.h"
#include "IconCache.h"
#include "ImageList.h"

// Picture of a source row and of a folder in the restore list.
const int IMAGE_FOLDER_CLOSED = IMAGE_FOLDER;

class CViewImages {
public:
    CViewImages() = default;
    CViewImages(const CViewImages&) = delete;
    CViewImages& operator=(const CViewImages&) = delete;

    // Makes the list of the program's pictures; null handle until then.
    void Create();
    HIMAGELIST GetSafeHandle() const;
    int GetImageCount() const;
    // The file's shell icon, appended the first time its kind is met; null
    // when the shell has none for it.
    CIconEntry* GetFileIcon(const char* pszPath);
    INT_PTR GetIconCount() const { return m_icons.GetCount(); }
    // Destroys the icon entries, once nothing shows them; the pictures stay.
    void DeleteIcons() { m_icons.DeleteAll(); }
    // True while the list is being made or extended.
    bool IsBusy() const { return m_bBusy; }

private:
    // The trees and lists share it (LVS_SHAREIMAGELISTS): only this
    // object destroys it.
    std::unique_ptr<CImageList> m_pImages;
    CIconCache m_icons;
    bool m_bBusy = false;
};
