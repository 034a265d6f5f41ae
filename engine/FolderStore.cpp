#include "FolderStore.h"

#include <cstring>

#include "PathText.h"

uint32_t CFolderStore::Intern(const std::string& strFolder) {
    if (m_nLast != NONE && strFolder == m_strLast)
        return m_nLast;
    uint32_t nFolder = InternNew(strFolder);
    m_strLast = strFolder;
    m_nLast = nFolder;
    return nFolder;
}

uint32_t CFolderStore::InternNew(const std::string& strFolder) {
    int nCut = FindBackslash(strFolder.c_str(), false);
    if (nCut < 0)
        return Child(NONE, strFolder.data(), strFolder.size());
    uint32_t nParent = InternNew(strFolder.substr(0, static_cast<size_t>(nCut)));
    size_t nStart = static_cast<size_t>(nCut) + 1;
    return Child(nParent, strFolder.data() + nStart, strFolder.size() - nStart);
}

uint32_t CFolderStore::Child(uint32_t nParent, const char* pszName, size_t nLength) {
    std::string strKey(reinterpret_cast<const char*>(&nParent), sizeof nParent);
    strKey.append(pszName, nLength);
    auto it = m_children.find(strKey);
    if (it != m_children.end())
        return it->second;
    // Every container is grown before anything is recorded, so running out
    // of memory half way leaves no node without its key or name.
    uint32_t nNode = static_cast<uint32_t>(m_nodes.size());
    m_nodes.reserve(m_nodes.size() + 1);
    m_names.reserve(m_names.size() + nLength);
    auto inserted = m_children.emplace(std::move(strKey), nNode);
    m_nodes.push_back(
        {nParent, static_cast<uint32_t>(m_names.size()), static_cast<uint32_t>(nLength)});
    m_names.append(pszName, nLength);
    return inserted.first->second;
}

void CFolderStore::AppendText(uint32_t nFolder, std::string& strOut) const {
    if (nFolder == NONE)
        return;
    const CNode& node = m_nodes[nFolder];
    if (node.nParent != NONE) {
        AppendText(node.nParent, strOut);
        strOut += '\\';
    }
    strOut.append(m_names, node.nNameStart, node.nNameLength);
}

void CFolderStore::Clear() {
    m_nodes.clear();
    m_names.clear();
    m_children.clear();
    m_strLast.clear();
    m_nLast = NONE;
}
