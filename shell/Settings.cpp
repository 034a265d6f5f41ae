#include "Settings.h"

const char* const SECTION_WINDOW = "Settings\\Window";
const char* const SECTION_BUTTON = "Settings\\Button";
const char* const SECTION_NONCOPY = "FileType\\NonCopy";
const char* const SECTION_RECENT_FILES = "Recent File List";
const char* const RECENT_FILE_ENTRY = "File%d";

const char* const ENTRY_START_BACKUP = "StartBackup";
const char* const ENTRY_START_BACKUP_EXIT = "StartBackupExit";
const char* const ENTRY_LOG_VIEW = "LogView";
const char* const ENTRY_EXTENDED = "exp";
const char* const ENTRY_KEEP_DELETED = "KeepDeleted";
const char* const ENTRY_REMOVAL_GUARD = "RemovalGuard";
const char* const ENTRY_RUN_LOG = "LogFile";
const char* const ENTRY_NONCOPY_COUNT = "Count";

namespace {

const int SOURCE_COLUMN_WIDTHS[] = {150, 100, 50, 50};
const int RESTORE_COLUMN_WIDTHS[] = {150, 70, 85};

// The default width of a known column, or -1.
int DefaultColumnWidth(int nList, int nColumn) {
    if (nList == SOURCE_LIST && nColumn >= 0 && nColumn < 4)
        return SOURCE_COLUMN_WIDTHS[nColumn];
    if (nList == RESTORE_LIST && nColumn >= 0 && nColumn < 3)
        return RESTORE_COLUMN_WIDTHS[nColumn];
    return -1;
}

CString ColumnEntry(int nList, int nColumn) {
    CString strEntry;
    strEntry.Format("lc%d%d", nList, nColumn);
    return strEntry;
}

CString NoCopyEntry(int nIndex) {
    CString strEntry;
    strEntry.Format("FileType%d", nIndex);
    return strEntry;
}

} // namespace

RECT LoadFramePlacement(const CProfile& profile) {
    RECT rc;
    rc.left = profile.GetProfileInt(SECTION_WINDOW, "x", 80);
    rc.top = profile.GetProfileInt(SECTION_WINDOW, "y", 80);
    rc.right = rc.left + profile.GetProfileInt(SECTION_WINDOW, "cx", 550);
    rc.bottom = rc.top + profile.GetProfileInt(SECTION_WINDOW, "cy", 360);
    return rc;
}

void SaveFramePlacement(CProfile& profile, const RECT& rcNormal) {
    profile.WriteProfileInt(SECTION_WINDOW, "x", rcNormal.left);
    profile.WriteProfileInt(SECTION_WINDOW, "y", rcNormal.top);
    profile.WriteProfileInt(SECTION_WINDOW, "cx", rcNormal.right - rcNormal.left);
    profile.WriteProfileInt(SECTION_WINDOW, "cy", rcNormal.bottom - rcNormal.top);
}

int LoadTreeWidth(const CProfile& profile) {
    return profile.GetProfileInt(SECTION_WINDOW, "tcx", 150);
}

void SaveTreeWidth(CProfile& profile, int nWidth) {
    profile.WriteProfileInt(SECTION_WINDOW, "tcx", nWidth);
}

int LoadColumnWidth(const CProfile& profile, int nList, int nColumn) {
    int nDefault = DefaultColumnWidth(nList, nColumn);
    if (nDefault < 0)
        return 0;
    return profile.GetProfileInt(SECTION_WINDOW, ColumnEntry(nList, nColumn), nDefault);
}

void SaveColumnWidth(CProfile& profile, int nList, int nColumn, int nWidth) {
    if (DefaultColumnWidth(nList, nColumn) >= 0)
        profile.WriteProfileInt(SECTION_WINDOW, ColumnEntry(nList, nColumn), nWidth);
}

void CButtonSettings::Load(const CProfile& profile) {
    m_nStartBackup = profile.GetProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP, 1);
    m_nStartBackupExit = profile.GetProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP_EXIT, 0);
    m_nLogView = profile.GetProfileInt(SECTION_BUTTON, ENTRY_LOG_VIEW, 0);
    m_nExtended = profile.GetProfileInt(SECTION_BUTTON, ENTRY_EXTENDED, 0);
    m_nKeepDeleted = profile.GetProfileInt(SECTION_BUTTON, ENTRY_KEEP_DELETED, 0);
    m_nRemovalGuard = profile.GetProfileInt(SECTION_BUTTON, ENTRY_REMOVAL_GUARD, 1);
    m_nRunLog = profile.GetProfileInt(SECTION_BUTTON, ENTRY_RUN_LOG, 1);
}

void CButtonSettings::Save(CProfile& profile) const {
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP, m_nStartBackup);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP_EXIT, m_nStartBackupExit);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_LOG_VIEW, m_nLogView);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_EXTENDED, m_nExtended);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_KEEP_DELETED, m_nKeepDeleted);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_REMOVAL_GUARD, m_nRemovalGuard);
    profile.WriteProfileInt(SECTION_BUTTON, ENTRY_RUN_LOG, m_nRunLog);
}

bool IsUnattendedBackup(const CProfile& profile) {
    return profile.GetProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP, 0) == 1 &&
           profile.GetProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP_EXIT, 0) == 1;
}

void LoadNoCopyList(const CProfile& profile, CStringList& extensions) {
    int nCount = profile.GetProfileInt(SECTION_NONCOPY, ENTRY_NONCOPY_COUNT, 0);
    for (int i = 0; i < nCount; ++i)
        extensions.AddTail(profile.GetProfileString(SECTION_NONCOPY, NoCopyEntry(i), ""));
}

void SaveNoCopyList(CProfile& profile, const CStringList& extensions) {
    int nOld = profile.GetProfileInt(SECTION_NONCOPY, ENTRY_NONCOPY_COUNT, 0);
    int nCount = static_cast<int>(extensions.GetCount());
    profile.WriteProfileInt(SECTION_NONCOPY, ENTRY_NONCOPY_COUNT, nCount);
    int i = 0;
    for (POSITION pos = extensions.GetHeadPosition(); pos != nullptr; ++i)
        profile.WriteProfileString(SECTION_NONCOPY, NoCopyEntry(i), extensions.GetNext(pos));
    for (i = nCount; i < nOld; ++i)
        profile.WriteProfileString(SECTION_NONCOPY, NoCopyEntry(i), nullptr);
}

void WriteNoCopyDefaults(CProfile& profile) {
    profile.WriteProfileInt(SECTION_NONCOPY, ENTRY_NONCOPY_COUNT, 3);
    profile.WriteProfileString(SECTION_NONCOPY, NoCopyEntry(0), "bak");
    profile.WriteProfileString(SECTION_NONCOPY, NoCopyEntry(1), "swp");
    profile.WriteProfileString(SECTION_NONCOPY, NoCopyEntry(2), "tmp");
}
