// What a user reads about the end of a backup run: the text of its status
// code, and the line that tells how many items the run could not back up.
#pragma once

#include "String.h"

// "バックアップが終了しました。" for 0, the known failures in words, and
// " Error Code (n)" for any other system error code.
CString StatusMessage(int nCode);

// The number of lines of a run's warnings text (each ends in a line feed;
// a last line without one counts too).
int CountWarnings(const CString& strWarnings);

// A run that went through to its end: finished, or finished with an
// entry's deletions left undone. Its counts and warnings are reported.
bool IsCompletedRun(int nStatus);

// The result dialog's text: the finished text alone when nothing was
// skipped, else followed by a line with the number of files and folders
// that were not backed up and a line that says where to read them, so that
// a skipped file never passes behind a plain "finished". With bSeeLog the
// line that points to the log comes in any case.
CString ResultMessage(const CString& strFinished, int nWarnings, bool bSeeLog = false);
