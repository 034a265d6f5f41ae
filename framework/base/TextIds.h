// String ids of the texts the framework shows but does not word itself: the
// program's string table supplies them (AppText.h), in its own language.
// Plain defines, so the program's resource script can include this file.
// One block of sixteen string ids (0xF100 to 0xF10F), apart from the
// program's own strings.
#pragma once

// The class name of the framework's own windows.
#define AFX_IDS_WINDOW_CLASS 0xF100
// The title of a new document when its template names none.
#define AFX_IDS_UNTITLED 0xF101
// "%1" is the document's title.
#define AFX_IDP_ASK_TO_SAVE 0xF102
// "%1" is the file, "%2" the reason (one of the AFX_IDS_ERROR_ texts).
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF103
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF104
#define AFX_IDS_ERROR_DISK_FULL 0xF105
#define AFX_IDS_ERROR_WRITE_DENIED 0xF106
#define AFX_IDS_ERROR_PATH_TOO_LONG 0xF107
#define AFX_IDS_ERROR_NOT_FOUND 0xF108
// "%1" is the system's error number.
#define AFX_IDS_ERROR_NUMBER 0xF109
// Data exchange: a number that does not parse, a text too long ("%1"
// half-width characters, "%2" full-width ones).
#define AFX_IDP_PARSE_INT 0xF10A
#define AFX_IDP_PARSE_STRING_SIZE 0xF10B
