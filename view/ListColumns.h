// The columns of the source list and of the restore list, set up once when
// the view first appears, each width taken from the profile, and written
// back when the view goes.
#pragma once

class CListCtrl;
class CProfile;

// Folder, note, history count, subfolders; rows selected whole.
void SetUpSourceListColumns(CListCtrl& list, const CProfile& profile);
// Folder or file name, size, modification time; rows selected whole.
void SetUpRestoreListColumns(CListCtrl& list, const CProfile& profile);

// Each column's current width into the profile.
void SaveSourceListColumns(const CListCtrl& list, CProfile& profile);
void SaveRestoreListColumns(const CListCtrl& list, CProfile& profile);
