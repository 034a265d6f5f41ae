#include "RestoreTarget.h"

#include <cstring>

#include "FileFind.h"
#include "FileOps.h"
#include "MrqDoc.h"
#include "PathText.h"

namespace {

// True when pszPath is strFolder or lies inside it, byte for byte; strRest
// gets the text below the folder ("" for the folder itself). An empty
// folder holds nothing.
bool TextBelow(const CString& strFolder, const char* pszPath, CString& strRest) {
    if (strFolder.IsEmpty())
        return false;
    if (strFolder == pszPath) {
        strRest.Empty();
        return true;
    }
    CString strPrefix(strFolder);
    AddBackslash(strPrefix);
    size_t nPrefix = static_cast<size_t>(strPrefix.GetLength());
    if (std::strncmp(pszPath, strPrefix, nPrefix) != 0)
        return false;
    strRest = pszPath + nPrefix;
    return true;
}

// A mirror as a save assigns it: one folder directly inside the destination.
// Anything else (the destination itself, a folder above it, a stale path
// from another destination) is no entry's mirror.
bool IsMirrorOf(const CString& strDestination, const CString& strMirror) {
    CString strName;
    return TextBelow(strDestination, strMirror, strName) && !strName.IsEmpty() &&
           FindBackslash(strName, true) < 0;
}

// The entry whose assigned mirror holds the item.
const CBackupSource* FindByMirror(const CMrqDoc& doc, const char* pszItem, CString& strRest) {
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pSource = GetNextSource(doc.m_sources, pos);
        if (IsMirrorOf(doc.m_strDestination, pSource->m_strMirror) &&
            TextBelow(pSource->m_strMirror, pszItem, strRest))
            return pSource;
    }
    return nullptr;
}

// An entry without a mirror yet: the first whose folder name is the name of
// the item's top folder in the destination.
const CBackupSource* FindByName(const CMrqDoc& doc, const char* pszItem, CString& strRest) {
    CString strBelow;
    if (!TextBelow(doc.m_strDestination, pszItem, strBelow) || strBelow.IsEmpty())
        return nullptr;
    int nCut = FindBackslash(strBelow, true);
    CString strTop = nCut < 0 ? strBelow : strBelow.Left(nCut);
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pSource = GetNextSource(doc.m_sources, pos);
        if (pSource->m_strMirror.IsEmpty() && GetLastComponent(pSource->m_strFolder) == strTop) {
            strRest = nCut < 0 ? CString() : strBelow.Mid(nCut + 1);
            return pSource;
        }
    }
    return nullptr;
}

// True when the target strFolder\strRelative lies inside the folder and
// is the file the mirror holds: every name below the folder is one the file
// system keeps as it is, and no folder on the way is a link.
bool StaysInside(const CString& strFolder, const CString& strRelative) {
    CString strPath = strFolder;
    CString strLeft = strRelative;
    while (!strLeft.IsEmpty()) {
        int nCut = FindBackslash(strLeft, true);
        CString strName = nCut < 0 ? strLeft : strLeft.Left(nCut);
        if (strName.IsEmpty() || strName == "." || strName == "..")
            return false;
        AddBackslash(strPath);
        strPath += strName;
        if (IsLinkPath(strPath))
            return false;
        strLeft = nCut < 0 ? CString() : strLeft.Mid(nCut + 1);
    }
    return true;
}

} // namespace

bool IsLinkPath(const char* pszPath) {
    // Looked up as a name: a wildcard would match other entries.
    CFileFind finder;
    if (HasWildcard(pszPath) || !finder.FindFile(pszPath))
        return false;
    finder.FindNextFile();
    return finder.IsLink();
}

CString MapRestoreTarget(const CMrqDoc& doc, const char* pszItem, CString* pstrSourceFolder) {
    CString strRest;
    const CBackupSource* pSource = FindByMirror(doc, pszItem, strRest);
    if (!pSource)
        pSource = FindByName(doc, pszItem, strRest);
    // A folder text the backup refuses (D:\a\..\..\Windows from an edited
    // data file) names no folder plainly, so nothing goes back into it.
    CString strFolder;
    if (!pSource || !NormalizeFolderPath(pSource->m_strFolder, strFolder) ||
        !StaysInside(strFolder, strRest))
        return CString();
    if (pstrSourceFolder)
        *pstrSourceFolder = strFolder;
    if (strRest.IsEmpty())
        return strFolder;
    AddBackslash(strFolder);
    return strFolder + strRest;
}
