// The record of every run, kept beside the backup so that an unattended run
// can be read about afterwards: one text file a month, "mrq Log\YYYY-MM.txt"
// inside the destination, in the code page with CR LF line ends. The log
// keeps the last RUN_LOG_MONTHS months; older month files go.
#pragma once

#include "String.h"
#include "Time.h"

// The log's folder inside the destination; no mirror folder ever takes it.
extern const char* const RUN_LOG_FOLDER_NAME;
const int RUN_LOG_MONTHS = 12;

struct CRunRecord {
    CString strTitle; // "バックアップ" or "復元"
    CTime start;
    CTime end;
    CString strDataFile;
    CString strDestination;
    int nStatus = 0;
    CString strMessage;  // what the status means to the user
    CString strCounts;   // the count lines, each ending in a line feed
    CString strWarnings; // the warning lines, each ending in a line feed
};

// The record's text, CR LF line ends.
CString FormatRunRecord(const CRunRecord& record);

// The month file a record that ends at that time goes to.
CString RunLogPath(const char* pszDestination, CTime when);

// The newest month file of the log in that destination, or "" when the
// destination holds no log yet.
CString NewestRunLog(const char* pszDestination);

// Appends the record to its month's file (the folder and file made when
// missing) and removes month files older than the kept months. False when
// the record could not be written whole (a full disk, a read-only drive):
// nothing of it is then left in the file. Never fails the run itself.
bool AppendRunRecord(const CRunRecord& record);
