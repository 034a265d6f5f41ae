#include "WorkLists.h"

#include <cstring>
#include <new>

#include "PathText.h"

namespace {

// Record tags. A folder or group record holds for the name records after it.
const char TAG_FOLDER = 'F'; // delete list: uint32 folder number
const char TAG_GROUP = 'G';  // copy list: the folders and limit of the files after it
const char TAG_NAME = 'N';   // a file: its name (the same in source and mirror)
const char TAG_PAIR = 'P';   // a copy whose mirror name differs: both names
// A copy's tag says whether the survey found the file changed (else new);
// its size follows it, seven bits a byte, the last byte below 0x80.
const char TAG_CHANGED = 0x20; // added to TAG_NAME or TAG_PAIR: 'n', 'p'

size_t SizeBytes(ULONGLONG nSize) {
    size_t n = 1;
    for (; nSize >= 0x80; nSize >>= 7)
        ++n;
    return n;
}

char* PutSize(char* p, ULONGLONG nSize) {
    for (; nSize >= 0x80; nSize >>= 7)
        *p++ = static_cast<char>(0x80 | (nSize & 0x7F));
    *p++ = static_cast<char>(nSize);
    return p;
}

const char* TakeSize(const char* p, ULONGLONG& nSize) {
    nSize = 0;
    for (int nShift = 0;; nShift += 7) {
        unsigned char ch = static_cast<unsigned char>(*p++);
        nSize |= static_cast<ULONGLONG>(ch & 0x7F) << nShift;
        if (ch < 0x80)
            return p;
    }
}

// A path split at its last backslash (double-byte rule): the folder and
// the name after it. A path without one is a bare name.
struct CSplitPath {
    explicit CSplitPath(const char* pszPath) {
        int nCut = FindBackslash(pszPath, false);
        bHasFolder = nCut >= 0;
        if (bHasFolder)
            strFolder.assign(pszPath, static_cast<size_t>(nCut));
        pszName = bHasFolder ? pszPath + nCut + 1 : pszPath;
        nNameLength = std::strlen(pszName);
    }
    bool bHasFolder;
    std::string strFolder;
    const char* pszName;
    size_t nNameLength;
};

uint32_t FolderNumber(CFolderStore& folders, const CSplitPath& path) {
    return path.bHasFolder ? folders.Intern(path.strFolder) : CFolderStore::NONE;
}

char* PutText(char* p, const char* pszText, size_t nLength) {
    std::memcpy(p, pszText, nLength);
    p[nLength] = '\0';
    return p + nLength + 1;
}

// Text of a folder number and a name, as the path was given.
void JoinFolderAndName(const std::string& strFolder, uint32_t nFolder, const char* pszName,
                       CString& strOut) {
    std::string strPath;
    strPath.reserve(strFolder.size() + 1 + std::strlen(pszName));
    strPath = strFolder;
    if (nFolder != CFolderStore::NONE)
        strPath += '\\';
    strPath += pszName;
    strOut = strPath;
}

void CheckAllowance(INT_PTR& nAllowed) {
    if (nAllowed == 0)
        throw std::bad_alloc();
}

void UseAllowance(INT_PTR& nAllowed) {
    if (nAllowed > 0)
        --nAllowed;
}

} // namespace

// CRecordBlocks

char* CRecordBlocks::Reserve(size_t nBytes) {
    if (m_blocks.empty() || m_used.back() + nBytes > BLOCK_SIZE) {
        // A record never spans two blocks; an oversized one gets its own.
        size_t nSize = nBytes > BLOCK_SIZE ? nBytes : BLOCK_SIZE;
        m_blocks.reserve(m_blocks.size() + 1);
        m_used.reserve(m_used.size() + 1);
        m_blocks.emplace_back(new char[nSize]);
        m_used.push_back(0);
    }
    char* p = m_blocks.back().get() + m_used.back();
    m_used.back() += nBytes;
    return p;
}

void CRecordBlocks::Clear() {
    m_blocks.clear();
    m_used.clear();
}

const char* CRecordBlocks::CReader::Peek() {
    while (m_nBlock < m_blocks.m_blocks.size() && m_nOffset >= m_blocks.m_used[m_nBlock]) {
        ++m_nBlock;
        m_nOffset = 0;
    }
    if (m_nBlock >= m_blocks.m_blocks.size())
        return nullptr;
    return m_blocks.m_blocks[m_nBlock].get() + m_nOffset;
}

const char* CRecordBlocks::CReader::Take(size_t nBytes) {
    const char* p = Peek();
    if (p)
        m_nOffset += nBytes;
    return p;
}

// CDeleteList

void CDeleteList::Add(const char* pszPath) {
    CheckAllowance(m_nAllowed);
    CSplitPath path(pszPath);
    uint32_t nFolder = FolderNumber(m_folders, path);
    bool bNewFolder = !m_bAnyFolder || nFolder != m_nLastFolder;
    size_t nFolderBytes = bNewFolder ? 1 + sizeof nFolder : 0;
    char* p = m_records.Reserve(nFolderBytes + 1 + path.nNameLength + 1);
    if (bNewFolder) {
        *p++ = TAG_FOLDER;
        std::memcpy(p, &nFolder, sizeof nFolder);
        p += sizeof nFolder;
    }
    *p++ = TAG_NAME;
    PutText(p, path.pszName, path.nNameLength);
    m_nLastFolder = nFolder;
    m_bAnyFolder = true;
    ++m_nCount;
    UseAllowance(m_nAllowed);
}

void CDeleteList::RemoveAll() {
    m_folders.Clear();
    m_records.Clear();
    m_bAnyFolder = false;
    m_nCount = 0;
}

bool CDeleteList::CReader::Next(CString& strPath) {
    for (;;) {
        const char* p = m_records.Peek();
        if (!p)
            return false;
        if (*p == TAG_FOLDER) {
            std::memcpy(&m_nFolder, p + 1, sizeof m_nFolder);
            m_strFolder.clear();
            m_list.m_folders.AppendText(m_nFolder, m_strFolder);
            m_records.Take(1 + sizeof m_nFolder);
            continue;
        }
        const char* pszName = p + 1;
        m_records.Take(1 + std::strlen(pszName) + 1);
        JoinFolderAndName(m_strFolder, m_nFolder, pszName, strPath);
        return true;
    }
}

// CCopyList

void CCopyList::Add(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                    int nHistoryLimit, bool bChanged, ULONGLONG nSize) {
    CheckAllowance(m_nAllowed);
    CSplitPath source(pszSource), mirror(pszMirror);
    CGroup group = {FolderNumber(m_folders, source), FolderNumber(m_folders, mirror),
                    m_folders.Intern(pszHistoryName), nHistoryLimit};
    bool bNewGroup = !m_bAnyGroup || !(group == m_lastGroup);
    bool bSameName = source.nNameLength == mirror.nNameLength &&
                     std::memcmp(source.pszName, mirror.pszName, source.nNameLength) == 0;

    size_t nGroupBytes = bNewGroup ? 1 + sizeof group : 0;
    size_t nNameBytes =
        1 + SizeBytes(nSize) + source.nNameLength + 1 + (bSameName ? 0 : mirror.nNameLength + 1);
    char* p = m_records.Reserve(nGroupBytes + nNameBytes);
    if (bNewGroup) {
        *p++ = TAG_GROUP;
        std::memcpy(p, &group, sizeof group);
        p += sizeof group;
    }
    *p++ = static_cast<char>((bSameName ? TAG_NAME : TAG_PAIR) + (bChanged ? TAG_CHANGED : 0));
    p = PutSize(p, nSize);
    p = PutText(p, source.pszName, source.nNameLength);
    if (!bSameName)
        PutText(p, mirror.pszName, mirror.nNameLength);
    m_lastGroup = group;
    m_bAnyGroup = true;
    ++m_nCount;
    UseAllowance(m_nAllowed);
}

void CCopyList::RemoveAll() {
    m_folders.Clear();
    m_records.Clear();
    m_bAnyGroup = false;
    m_nCount = 0;
}

bool CCopyList::CReader::Next(CCopyItem& item) {
    for (;;) {
        const char* p = m_records.Peek();
        if (!p)
            return false;
        if (*p == TAG_GROUP) {
            CGroup group;
            std::memcpy(&group, p + 1, sizeof group);
            m_records.Take(1 + sizeof group);
            m_strSourceFolder.clear();
            m_strMirrorFolder.clear();
            std::string strHistoryName;
            m_list.m_folders.AppendText(group.nSourceFolder, m_strSourceFolder);
            m_list.m_folders.AppendText(group.nMirrorFolder, m_strMirrorFolder);
            m_list.m_folders.AppendText(group.nHistoryName, strHistoryName);
            m_strHistoryName = strHistoryName;
            m_nHistoryLimit = group.nHistoryLimit;
            m_nSourceFolder = group.nSourceFolder;
            m_nMirrorFolder = group.nMirrorFolder;
            continue;
        }
        bool bChanged = (*p & TAG_CHANGED) != 0;
        bool bPair = (*p & ~TAG_CHANGED) == TAG_PAIR;
        const char* pszSourceName = TakeSize(p + 1, item.nSize);
        size_t nSourceLength = std::strlen(pszSourceName);
        const char* pszMirrorName = pszSourceName;
        size_t nBytes = static_cast<size_t>(pszSourceName - p) + nSourceLength + 1;
        if (bPair) {
            pszMirrorName = pszSourceName + nSourceLength + 1;
            nBytes += std::strlen(pszMirrorName) + 1;
        }
        m_records.Take(nBytes);
        item.bChanged = bChanged;
        JoinFolderAndName(m_strSourceFolder, m_nSourceFolder, pszSourceName, item.strSource);
        JoinFolderAndName(m_strMirrorFolder, m_nMirrorFolder, pszMirrorName, item.strMirror);
        item.strHistoryName = m_strHistoryName;
        item.nHistoryLimit = m_nHistoryLimit;
        return true;
    }
}
