// Building backup sets and comparing them whole, for the data file tests.
#pragma once

#include <string>
#include <vector>

#include "MrqDoc.h"

// Everything a data file stores of one entry, as plain bytes.
struct CEntryText {
    std::string folder, mirror, history, note, subfolders, mode, extensions;
    bool operator==(const CEntryText& o) const {
        return folder == o.folder && mirror == o.mirror && history == o.history && note == o.note &&
               subfolders == o.subfolders && mode == o.mode && extensions == o.extensions;
    }
};

struct CSetText {
    std::string destination, lastBackup;
    std::vector<CEntryText> entries;
    bool operator==(const CSetText& o) const {
        return destination == o.destination && lastBackup == o.lastBackup && entries == o.entries;
    }
};

inline CSetText Snapshot(const CMrqDoc& doc) {
    CSetText set{doc.m_strDestination.str(), doc.m_strLastBackup.str(), {}};
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* p = GetNextSource(doc.m_sources, pos);
        set.entries.push_back({p->m_strFolder.str(), p->m_strMirror.str(), p->m_szHistory,
                               p->m_strNote.str(), p->m_szSubfolders, p->m_szFilterMode,
                               p->m_strExtensions.str()});
    }
    return set;
}

inline CBackupSource& AddSource(CMrqDoc& doc, const char* pszFolder, const char* pszMirror = "") {
    auto* p = new CBackupSource(pszFolder);
    p->m_strMirror = pszMirror;
    doc.m_sources.AddTail(p);
    return *p;
}

inline std::vector<std::string> Mirrors(const CMrqDoc& doc) {
    std::vector<std::string> mirrors;
    for (const CEntryText& e : Snapshot(doc).entries)
        mirrors.push_back(e.mirror);
    return mirrors;
}
