// The backup set: destination folder, time of the last backup and the
// ordered source folders. The document owns its CBackupSource entries.
#pragma once

#include "BackupSource.h"
#include "Document.h"
#include "ObList.h"
#include "StringList.h"

// Update hint: the document was emptied, views must empty their lists.
const LPARAM HINT_CLEAR = 100;

class CMrqDoc : public CDocument {
public:
    CMrqDoc() = default;
    ~CMrqDoc() override;

    // Empties the set and tells the views with HINT_CLEAR, even when there
    // was nothing to empty.
    void DeleteContents() override;
    // Writes or reads the data file.
    void Serialize(CArchive& ar) override;
    // Gives every entry, in list order, its own mirror folder inside the
    // destination: the folder's last component, with "(1)", "(2)", ...
    // added when an entry already holds that mirror.
    void AssignMirrors();
    // Takes the entry out of the list and destroys it; an entry the list
    // does not hold is left alone.
    void RemoveSource(CBackupSource* pEntry);
    // Destroys every entry and empties the list.
    void DestroySources();

    CString m_strDestination;
    CString m_strLastBackup;
    CObList m_sources; // CBackupSource*
    // Folder texts of the data file last opened that the set did not take
    // (ReadDataFile); the view tells the user and empties the list.
    CStringList m_refusedFolders;
};

// The entry at pos (pos moves on to the next one).
inline CBackupSource* GetNextSource(const CObList& sources, POSITION& pos) {
    return static_cast<CBackupSource*>(sources.GetNext(pos));
}
