// The two work lists a survey writes and the execution reads back in the
// same order: the files to delete and the files to copy. Each file is kept
// as the number of its folder (FolderStore.h) and its own name, in blocks
// of records that are never moved once written, so a long path's folder
// part is held once per folder and a growing list never needs twice its
// size while it grows.
//
// Appending throws std::bad_alloc when memory runs out; the list is then
// unchanged, as it was before the append.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FolderStore.h"
#include "String.h"

// Records of variable length in fixed blocks, read back in order.
class CRecordBlocks {
public:
    static const size_t BLOCK_SIZE = 65536;

    // Room for nBytes (at most BLOCK_SIZE) at the end; the caller fills it.
    char* Reserve(size_t nBytes);
    void Clear();

    // Reads the records from the first on.
    class CReader {
    public:
        explicit CReader(const CRecordBlocks& blocks) : m_blocks(blocks) {}
        // The next nBytes as written by one Reserve, or nullptr at the end.
        const char* Take(size_t nBytes);
        // The next record's first byte without taking it; nullptr at the end.
        const char* Peek();

    private:
        const CRecordBlocks& m_blocks;
        size_t m_nBlock = 0;
        size_t m_nOffset = 0;
    };

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<size_t> m_used; // bytes written in each block
};

// Full paths of files to delete, in the order they were added.
class CDeleteList {
public:
    CDeleteList() = default;
    CDeleteList(const CDeleteList&) = delete;
    CDeleteList& operator=(const CDeleteList&) = delete;

    void Add(const char* pszPath);
    INT_PTR GetCount() const { return m_nCount; }
    void RemoveAll();

    // Test seam: after nItems more appends every append fails as if memory
    // had run out (-1 turns the limit off).
    void FailAllocationsAfter(INT_PTR nItems) { m_nAllowed = nItems; }

    class CReader {
    public:
        explicit CReader(const CDeleteList& list) : m_list(list), m_records(list.m_records) {}
        // The next path, or false at the end.
        bool Next(CString& strPath);

    private:
        const CDeleteList& m_list;
        CRecordBlocks::CReader m_records;
        uint32_t m_nFolder = CFolderStore::NONE;
        std::string m_strFolder;
    };

private:
    CFolderStore m_folders;
    CRecordBlocks m_records;
    uint32_t m_nLastFolder = CFolderStore::NONE;
    bool m_bAnyFolder = false;
    INT_PTR m_nCount = 0;
    INT_PTR m_nAllowed = -1;
};

// One file to copy: the source, its mirror file, the history name of its
// folder and the entry's history limit, with what the survey found: a new
// file or a changed one, and the bytes it counted for it.
struct CCopyItem {
    CString strSource;
    CString strMirror;
    CString strHistoryName;
    int nHistoryLimit = 0;
    bool bChanged = false;
    ULONGLONG nSize = 0;
};

// Files to copy, in the order they were added.
class CCopyList {
public:
    CCopyList() = default;
    CCopyList(const CCopyList&) = delete;
    CCopyList& operator=(const CCopyList&) = delete;

    void Add(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
             int nHistoryLimit, bool bChanged = false, ULONGLONG nSize = 0);
    INT_PTR GetCount() const { return m_nCount; }
    void RemoveAll();

    // Test seam, as CDeleteList's.
    void FailAllocationsAfter(INT_PTR nItems) { m_nAllowed = nItems; }

    class CReader {
    public:
        explicit CReader(const CCopyList& list) : m_list(list), m_records(list.m_records) {}
        // The next item, or false at the end.
        bool Next(CCopyItem& item);

    private:
        const CCopyList& m_list;
        CRecordBlocks::CReader m_records;
        uint32_t m_nSourceFolder = CFolderStore::NONE;
        uint32_t m_nMirrorFolder = CFolderStore::NONE;
        std::string m_strSourceFolder, m_strMirrorFolder;
        CString m_strHistoryName;
        int m_nHistoryLimit = 0;
    };

private:
    // The folders and limit that the file records after it share.
    struct CGroup {
        uint32_t nSourceFolder;
        uint32_t nMirrorFolder;
        uint32_t nHistoryName;
        int32_t nHistoryLimit;
        bool operator==(const CGroup& other) const {
            return nSourceFolder == other.nSourceFolder && nMirrorFolder == other.nMirrorFolder &&
                   nHistoryName == other.nHistoryName && nHistoryLimit == other.nHistoryLimit;
        }
    };

    CFolderStore m_folders;
    CRecordBlocks m_records;
    CGroup m_lastGroup = {};
    bool m_bAnyGroup = false;
    INT_PTR m_nCount = 0;
    INT_PTR m_nAllowed = -1;
};
