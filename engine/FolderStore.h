// Folder paths kept once each, however many paths run through them: a
// folder is its parent folder's number and its own name, so a deep tree
// costs one name per folder. The work lists of a run keep every file as a
// folder number and a name (WorkLists.h); a run of 200,000 files in 1,000
// folders then holds 1,000 folder names instead of 200,000 full paths.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CFolderStore {
public:
    // The number of "no folder": the path is a bare name.
    static const uint32_t NONE = 0xFFFFFFFFu;

    CFolderStore() = default;
    CFolderStore(const CFolderStore&) = delete;
    CFolderStore& operator=(const CFolderStore&) = delete;

    // The number of a folder's text, stored on first sight. Components are
    // split at backslashes by the double-byte rule, and joined again by
    // AppendText, so any text comes back byte for byte. Throws
    // std::bad_alloc when memory runs out (the store stays usable).
    uint32_t Intern(const std::string& strFolder);

    // Appends the folder's text (nothing for NONE).
    void AppendText(uint32_t nFolder, std::string& strOut) const;

    void Clear();

private:
    struct CNode {
        uint32_t nParent;
        uint32_t nNameStart; // in m_names
        uint32_t nNameLength;
    };

    uint32_t InternNew(const std::string& strFolder);
    uint32_t Child(uint32_t nParent, const char* pszName, size_t nLength);

    std::vector<CNode> m_nodes;
    std::string m_names;
    // Parent number (4 bytes) followed by the name -> node number.
    std::unordered_map<std::string, uint32_t> m_children;
    // Walks meet the same folder many times in a row.
    std::string m_strLast;
    uint32_t m_nLast = NONE;
};
