// Texts from the program's string table. The framework words nothing the
// user reads: where it needs a text (a failed open, a value refused by a
// dialog) it asks the program through a string id of TextIds.h, the way it
// already takes the application's title and the status bar's idle message.
#pragma once

#include "String.h"
#include "TextIds.h"

// String nID of the program's resources; empty when there is none.
CString AfxLoadString(UINT nID);

// String nID with "%1" and "%2" replaced by the arguments (a null argument
// by nothing). Without that string the arguments alone are given, one per
// line, so that a report never loses its details.
CString AfxFormatString(UINT nID, const char* psz1, const char* psz2 = nullptr);
