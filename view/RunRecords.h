// The run log as the main view keeps it: one record for each backup and
// each restore it runs, built from how the run ended and written beside the
// backup while "ログファイルを作成する。。" is checked. A record that cannot
// be written never fails its run; the run's message says so instead.
#pragma once

#include "RunLog.h"

class CMrqDoc;
class CWorkerStatus;
struct CRunOutcome;

// The sentence a run's message gains when its record could not be written.
extern const char* const RUN_LOG_FAILED;

// A record of the set's run that began at start and ends now: its times,
// the set's data file and destination; the rest is the run's own.
CRunRecord StartRunRecord(const char* pszTitle, const CMrqDoc& set, CTime start);

// The record of a backup run from its outcome.
void SetBackupOutcome(CRunRecord& record, const CRunOutcome& outcome);
// The two count lines of a backup, each ending in a line feed.
CString BackupCountLines(const CRunOutcome& outcome);

// The record of a restore: its result text, the files tried, and the
// paths that did not come back. A restore keeps no error codes: its status
// is 0 when every file came back, 1 when the user stopped it, and -1 when
// something could not be restored.
void SetRestoreOutcome(CRunRecord& record, const CWorkerStatus& status, bool bAborted);
const int RESTORE_STATUS_FAILED = -1;
// One warning line for each path that did not come back, then one for
// where a failure stopped the restore; each ends in a line feed.
CString RestoreWarningLines(const CWorkerStatus& status);

// Writes the record when bOn. "" when it was written or none was asked
// for, else RUN_LOG_FAILED.
CString KeepRunRecord(bool bOn, const CRunRecord& record);
