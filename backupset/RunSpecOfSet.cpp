#include "RunSpecOfSet.h"

#include <cstdlib>
#include <cstring>

#include "MrqDoc.h"

CSourceSpec SpecOfSource(const CBackupSource& source) {
    CSourceSpec spec;
    spec.strFolder = source.m_strFolder;
    spec.strMirror = source.m_strMirror;
    spec.nHistoryLimit = std::atoi(source.m_szHistory);
    spec.bSubfolders = std::strcmp(source.m_szSubfolders, SUBFOLDERS_YES) == 0;
    spec.nFilterMode = std::atoi(source.m_szFilterMode);
    spec.strExtensions = source.m_strExtensions;
    return spec;
}

CRunSpec SpecOfSet(const CMrqDoc& doc, const CString& strNoCopy) {
    CRunSpec spec;
    spec.strDestination = doc.m_strDestination;
    spec.strNoCopy = strNoCopy;
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;)
        spec.sources.push_back(SpecOfSource(*GetNextSource(doc.m_sources, pos)));
    return spec;
}
