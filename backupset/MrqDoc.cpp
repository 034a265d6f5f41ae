#include "MrqDoc.h"

#include "Archive.h"
#include "DataFile.h"

CMrqDoc::~CMrqDoc() {
    DestroySources();
}

void CMrqDoc::DestroySources() {
    for (POSITION pos = m_sources.GetHeadPosition(); pos;)
        delete m_sources.GetNext(pos);
    m_sources.RemoveAll();
}

void CMrqDoc::RemoveSource(CBackupSource* pEntry) {
    POSITION pos = m_sources.Find(pEntry);
    if (!pos)
        return;
    m_sources.RemoveAt(pos);
    delete pEntry;
}

void CMrqDoc::DeleteContents() {
    m_strDestination.Empty();
    m_strLastBackup.Empty();
    m_refusedFolders.RemoveAll();
    DestroySources();
    UpdateAllViews(nullptr, HINT_CLEAR, nullptr);
    CDocument::DeleteContents();
}

void CMrqDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        WriteDataFile(*this, ar);
    else
        ReadDataFile(*this, ar);
}
