#include "DataFile.h"

#include <memory>
#include <string>

#include "Archive.h"
#include "MrqDoc.h"
#include "PathText.h"

const char* const DATAFILE_HEADER = "mrq Backup File ";
const char* const DATAFILE_VERSION = "HeaderVersion 2.1";

namespace {

const char* const LINE_END = "\r\n";
const char* const FIELD_ARROW = "->";

// TAB, CR and LF can never be trail bytes of a double-byte character, so
// replacing them byte by byte leaves every other character whole.
bool IsLineBreaking(char ch, bool bKeepTab) {
    return ch == '\r' || ch == '\n' || (ch == '\t' && !bKeepTab);
}

void Blank(CString& str, bool bKeepTab = false) {
    for (int i = 0; i < str.GetLength(); ++i)
        if (IsLineBreaking(str[i], bKeepTab))
            str.SetAt(i, ' ');
}

void Blank(char (&szField)[OPTION_FIELD_SIZE]) {
    for (char* p = szField; *p; ++p)
        if (IsLineBreaking(*p, false))
            *p = ' ';
}

void MakeReadable(CMrqDoc& doc) {
    Blank(doc.m_strDestination);
    Blank(doc.m_strLastBackup, true);
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;) {
        CBackupSource* p = GetNextSource(doc.m_sources, pos);
        Blank(p->m_strFolder);
        Blank(p->m_strMirror);
        Blank(p->m_szHistory);
        Blank(p->m_strNote);
        Blank(p->m_szSubfolders);
        Blank(p->m_szFilterMode);
        Blank(p->m_strExtensions);
    }
}

// Note the order: the history count comes before the note.
CString EntryLine(const CBackupSource& source) {
    const CString strTab('\t');
    return source.m_strFolder + strTab + FIELD_ARROW + strTab + source.m_strMirror + strTab +
           source.m_szHistory + strTab + source.m_strNote + strTab + source.m_szSubfolders +
           strTab + source.m_szFilterMode + strTab + source.m_strExtensions + LINE_END;
}

// Takes the next field off the front of rest: the text before the first
// TAB, or all of it when there is none.
std::string TakeField(std::string& rest) {
    size_t nTab = rest.find('\t');
    std::string field = rest.substr(0, nTab);
    rest.erase(0, nTab == std::string::npos ? rest.size() : nTab + 1);
    return field;
}

void StoreField(CBackupSource& source, int nField, const std::string& value) {
    switch (nField) {
    case 1:
        source.m_strFolder = CString(value);
        break;
    case 3:
        source.m_strMirror = CString(value);
        break;
    case 4:
        source.SetHistory(value.c_str());
        break;
    case 5:
        source.m_strNote = CString(value);
        break;
    case 6:
        source.SetSubfolders(value.c_str());
        break;
    case 7:
        source.SetFilterMode(value.c_str());
        break;
    case 8:
        source.m_strExtensions = CString(value);
        break;
    default:
        break; // 2 is the arrow
    }
}

// Fields present replace the defaults, even when empty; missing ones and
// anything after the eighth leave the entry as it is.
void ReadEntry(CBackupSource& source, const CString& strLine) {
    std::string rest = strLine.str();
    for (int nField = 1; nField <= 8 && !rest.empty(); ++nField)
        StoreField(source, nField, TakeField(rest));
}

bool ReadHeader(CArchive& ar) {
    CString strLine;
    if (!ar.ReadString(strLine))
        return false;
    int nTab = strLine.Find('\t');
    return nTab >= 0 && strLine.Left(nTab) == CString(DATAFILE_HEADER);
}

void ReadSet(CMrqDoc& doc, CArchive& ar) {
    CString strLine;
    ar.ReadString(strLine); // a missing line reads as an empty one
    int nTab = strLine.Find('\t');
    if (nTab < 0) {
        doc.m_strDestination = strLine;
        return;
    }
    doc.m_strDestination = strLine.Left(nTab);
    doc.m_strLastBackup = strLine.Mid(nTab + 1);
}

// A folder text that is a search pattern, or holds bytes of no character,
// would pass for another folder (D:\Caf? for Café): the set does not take
// it, and the user hears of it.
bool TakeFolder(CMrqDoc& doc, const CString& strFolder) {
    if (IsPlainPathText(strFolder))
        return true;
    doc.m_refusedFolders.AddTail(strFolder);
    return false;
}

} // namespace

void WriteDataFile(CMrqDoc& doc, CArchive& ar) {
    MakeReadable(doc);
    ar.WriteString(CString(DATAFILE_HEADER) + "\t" + DATAFILE_VERSION + LINE_END);
    ar.WriteString(doc.m_strDestination + "\t" + doc.m_strLastBackup + LINE_END);
    if (!doc.m_strDestination.IsEmpty())
        doc.AssignMirrors();
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;)
        ar.WriteString(EntryLine(*GetNextSource(doc.m_sources, pos)));
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

void ReadDataFile(CMrqDoc& doc, CArchive& ar) {
    if (!ReadHeader(ar))
        return;
    ReadSet(doc, ar);
    if (!TakeFolder(doc, doc.m_strDestination))
        doc.m_strDestination.Empty();
    CString strLine;
    while (ar.ReadString(strLine)) {
        auto source = std::make_unique<CBackupSource>();
        ReadEntry(*source, strLine);
        if (!TakeFolder(doc, source->m_strFolder))
            continue;
        doc.m_sources.AddTail(source.get());
        source.release();
    }
}
