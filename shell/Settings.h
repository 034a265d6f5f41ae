// The program's values in the profile: their sections, names and the
// defaults each reader passes. Only the first start writes anything in
// advance (the never-copied extensions); every other value is written by
// its owner when it closes and read with its default until then.
#pragma once

#include "Profile.h"
#include "StringList.h"

extern const char* const SECTION_WINDOW;       // "Settings\Window"
extern const char* const SECTION_BUTTON;       // "Settings\Button"
extern const char* const SECTION_NONCOPY;      // "FileType\NonCopy"
extern const char* const SECTION_RECENT_FILES; // "Recent File List"
extern const char* const RECENT_FILE_ENTRY;    // "File%d", numbered from 1
const int RECENT_FILE_COUNT = 4;

extern const char* const ENTRY_START_BACKUP;      // "StartBackup"
extern const char* const ENTRY_START_BACKUP_EXIT; // "StartBackupExit"
extern const char* const ENTRY_LOG_VIEW;          // "LogView"
extern const char* const ENTRY_EXTENDED;          // "exp"
extern const char* const ENTRY_KEEP_DELETED;      // "KeepDeleted"
extern const char* const ENTRY_REMOVAL_GUARD;     // "RemovalGuard"
extern const char* const ENTRY_RUN_LOG;           // "LogFile"
extern const char* const ENTRY_NONCOPY_COUNT;     // "Count"

// The main frame's restored rectangle in screen pixels: x, y, cx, cy, by
// default (80, 80) and 550 x 360. Values are taken as stored, off-screen or
// not.
RECT LoadFramePlacement(const CProfile& profile);
void SaveFramePlacement(CProfile& profile, const RECT& rcNormal);

// Width of the view's folder-tree column, "tcx" (default 150).
int LoadTreeWidth(const CProfile& profile);
void SaveTreeWidth(CProfile& profile, int nWidth);

// Column widths "lc" + list + column of the source list (1: four columns,
// 150, 100, 50, 50) and the restore list (2: three columns, 150, 70, 85).
// Unknown columns read as 0 and are not written.
const int SOURCE_LIST = 1;
const int RESTORE_LIST = 2;
int LoadColumnWidth(const CProfile& profile, int nList, int nColumn);
void SaveColumnWidth(CProfile& profile, int nList, int nColumn, int nWidth);

// The settings page's check boxes as the main view reads them: a
// "StartBackup" never written counts as checked there, and so does
// "LogFile": the user who never opens the page is the one who most needs
// the record of an unattended run.
class CButtonSettings {
public:
    void Load(const CProfile& profile);
    void Save(CProfile& profile) const;

    int m_nStartBackup = 1;
    int m_nStartBackupExit = 0;
    int m_nLogView = 0;
    int m_nExtended = 0;
    // Off by default, so that a run deletes what left a source as it
    // always did; the guard is on until a user turns it off.
    int m_nKeepDeleted = 0;
    int m_nRemovalGuard = 1;
    int m_nRunLog = 1;
};

// Start-up's reading of the same two values, each with default 0: true
// only when both are stored as exactly 1, so a data file given on the
// command line is backed up while the window stays minimised.
bool IsUnattendedBackup(const CProfile& profile);

// The extensions (without period) whose files are never backed up:
// "Count", then "FileType0" ... "FileType<Count-1>". Missing entries read
// as empty text; a count of 0 or less gives an empty list.
void LoadNoCopyList(const CProfile& profile, CStringList& extensions);
// Stores the list in its order and deletes the entries of a longer list
// stored before.
void SaveNoCopyList(CProfile& profile, const CStringList& extensions);
// A new user's list: bak, swp, tmp.
void WriteNoCopyDefaults(CProfile& profile);
