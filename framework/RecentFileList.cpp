#include "RecentFileList.h"

#include "Profile.h"

CRecentFileList::CRecentFileList(const char* pszSection, const char* pszEntryFormat, int nSize)
    : m_strSection(pszSection), m_strEntryFormat(pszEntryFormat), m_nSize(nSize > 0 ? nSize : 0) {}

CString CRecentFileList::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_names[nIndex];
}

void CRecentFileList::Add(const char* pszPathName) {
    if (pszPathName == nullptr || *pszPathName == '\0' || m_nSize == 0)
        return;
    for (int i = 0; i < GetCount(); ++i) {
        if (lstrcmpiA(m_names[i], pszPathName) == 0) {
            m_names.erase(m_names.begin() + i);
            break;
        }
    }
    m_names.insert(m_names.begin(), CString(pszPathName));
    if (GetCount() > m_nSize)
        m_names.resize(m_nSize);
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount())
        m_names.erase(m_names.begin() + nIndex);
}

CString CRecentFileList::EntryName(int nIndex) const {
    CString strEntry;
    strEntry.Format(m_strEntryFormat, nIndex + 1);
    return strEntry;
}

void CRecentFileList::ReadList(const CProfile& profile) {
    m_names.clear();
    for (int i = 0; i < m_nSize; ++i) {
        CString strName = profile.GetProfileString(m_strSection, EntryName(i), "");
        if (!strName.IsEmpty())
            m_names.push_back(strName);
    }
}

void CRecentFileList::WriteList(CProfile& profile) const {
    for (int i = 0; i < m_nSize; ++i) {
        CString strEntry = EntryName(i);
        if (i < GetCount())
            profile.WriteProfileString(m_strSection, strEntry, m_names[i]);
        else
            profile.WriteProfileString(m_strSection, strEntry, nullptr);
    }
}
