// File and folder operations shared by the backup and restore engines, the
// folder trees and the dialogs. None shows a message: failures come back as
// return values, and the system's last error says why where it matters.
#pragma once

#include "SourceFile.h"
#include "String.h"
#include "Time.h"

// Path kinds returned by GetPathKind.
enum {
    PATH_FOLDER = 100,
    PATH_FILE = 200,
    PATH_MISSING = 500,
};

// PATH_FOLDER, PATH_FILE or PATH_MISSING; for a three-character path (a
// drive root, which names no entry of its own) the GetDriveTypeA number.
// The path is looked up as a name: one holding "?" or "*" is missing.
int GetPathKind(const char* pszPath);

// True when the folder holds any entry other than "." and ".." that a path
// can reach (IsReachableName).
bool HasEntries(const char* pszFolder);
// True when it holds a subfolder whose name the code page holds.
bool HasSubfolders(const char* pszFolder);

// True when the path names an existing folder.
bool IsExistingFolder(const char* pszPath);

// True when the path names a junction or a symbolic link to a folder
// (GetFileAttributesA cannot tell which kind of reparse point it is, so any
// reparse point that is a folder counts).
bool IsFolderLinkAt(const char* pszPath);

// True only when the path is reported missing while the folder it was in
// is still there. A drive that vanished reports its files and folders
// missing too ("file not found" for some of them), so the error alone never
// proves that something left its source.
bool HasLeftTheSource(const char* pszPath, const char* pszFolder);

// Creates every missing folder along the path (the last component too when
// bIncludeLast). Paths start with "X:" or "\\server"; any other path fails.
// Several threads may make the same chain at once: a folder another one
// made in between counts as made.
bool MakeFolderChain(const char* pszPath, bool bIncludeLast);

// Result of CompareFiles.
enum {
    COMPARE_SOURCE_UNREADABLE = -1,
    COMPARE_EQUAL = 0,
    COMPARE_NEW = 1,
    COMPARE_CHANGED = 2,
};

// Compares size, attributes, last-write time and creation time (whole
// seconds of local time, the creation time with one second of tolerance),
// as FactsMatch does.
// Contents are never read. Both files are opened without sharing, so a
// source another program holds open gives COMPARE_SOURCE_UNREADABLE.
// pnSourceSize, when given, receives the source's size (0 when unreadable).
int CompareFiles(const char* pszSource, const char* pszMirror, ULONGLONG* pnSourceSize = nullptr);

// The creation-time rule of CompareFiles: equal, or one second apart with
// both in the same minute.
bool CreationTimesMatch(CTime source, CTime mirror);

// Copies source to target with its creation, access and write times and its
// attributes; an existing target is replaced. False on failure, with the
// system's error code set. The copy is staged (CStagedCopy), beside the
// target or in pszSpareFolder (a folder on the target's drive) when no
// staging name fits there, so the target never holds a partial copy; only
// when neither fits is it written in place, as a copy always was. The
// target is never touched before the source is open.
bool CopyFileWithTimes(const char* pszSource, const char* pszTarget,
                       const char* pszSpareFolder = nullptr);

// A copy reads and writes at most this many bytes at a time, and reports
// its progress after each block.
const DWORD COPY_BLOCK_SIZE = 1 << 20;

// Writes a copy of an opened source (from the start: a source file serves
// one copy) to a file that must not exist yet, through a handle of its own
// opened with DELETE access, and gives the copy the source's times and
// attributes through that handle. hNew keeps the handle open, so that the
// caller can put the copy in place through it; where the file system does
// not take the attributes through the handle, it is closed and they are
// set by name. Each block written is reported to pProgress (when given),
// which may stop the copy. False on failure with the system's error code
// set; a partial copy is removed, a file that already existed
// (ERROR_FILE_EXISTS) is left.
bool WriteNewCopy(CSourceFile& source, const char* pszNew, CCopyProgress* pProgress, CHandle& hNew);

// Copies an opened source (from the start: a source file serves one copy)
// to a file that must not exist yet, through a handle of its own, and gives
// the copy the source's times and attributes through that handle. Each
// block written is reported to pProgress (when given), which may stop the
// copy. False on failure with the system's error code set; a partial copy
// is removed, a file that already existed (ERROR_FILE_EXISTS) is left.
bool CopyToNewFile(CSourceFile& source, const char* pszNew, CCopyProgress* pProgress = nullptr);
// The same from a path, opened with read sharing as a copy needs.
bool CopyToNewFile(const char* pszSource, const char* pszNew);

// The name a copy has while it is being made: "~mrq", eight hex digits and
// ".tmp", the last two digits a check of the six before them. A run that is
// killed may leave one behind, which the next run recognises by this exact
// form and removes.
bool IsStagingName(const char* pszName);

// Removes the staging files directly inside a folder.
void RemoveStagingFiles(const char* pszFolder);

// A copy made beside its target under a staging name and put in place by
// one rename: the target's name holds the old file or the whole new copy,
// never part of it, however the program is stopped. The copy is renamed
// through the handle that wrote it, which stays open until then: that
// spares the system looking the staging name up again. Where the file
// system refuses that rename, the copy is renamed by its name.
class CStagedCopy {
public:
    CStagedCopy() = default;
    CStagedCopy(const CStagedCopy&) = delete;
    CStagedCopy& operator=(const CStagedCopy&) = delete;
    // Removes a staged copy that was not put in place.
    ~CStagedCopy() { Discard(); }

    // Copies source, with its times and attributes, under a staging name in
    // the target's folder, or in pszSpareFolder (created when missing) when
    // that path would be too long. Then checks that the target can be
    // replaced: one that another program holds open fails here (32). False
    // on failure with the system's error code set; ERROR_SUCCESS when no
    // staging path fits.
    bool Stage(const char* pszSource, const char* pszTarget, const char* pszSpareFolder = nullptr);
    // The same from a source already opened (the comparison's handle),
    // reporting each block to pProgress (when given). pdwTargetAttributes:
    // the target's attributes as the caller has just read them
    // (INVALID_FILE_ATTRIBUTES: there is none), so that they need not be
    // looked up again (a name that is missing costs the most to look up).
    bool Stage(CSourceFile& source, const char* pszTarget, const char* pszSpareFolder,
               CCopyProgress* pProgress, const DWORD* pdwTargetAttributes = nullptr);
    // Replaces the target with the staged copy (a read-only target too).
    bool Commit();
    void Discard();

    // Puts copies in place by name only, as where the file system refuses
    // the rename through the handle (both ways give the same result).
    void RenameByNameOnly() { m_bThroughHandle = false; }

private:
    // The folder for the staging name (m_szTarget set on the way); false
    // with ERROR_SUCCESS when no staging path fits.
    bool PickFolder(const char* pszTarget, const char* pszSpareFolder, CString& strFolder);
    bool StageIn(CSourceFile& source, const char* pszFolder, CCopyProgress* pProgress);
    // The rename through the staging handle; false leaves the staging file
    // where it is, for the rename by name.
    bool RenameThroughHandle();

    CString m_strStaging; // empty while no staged copy is there
    CString m_strTarget;
    CHandle m_hStaging; // open from the copy to the rename, when it is made through it
    bool m_bTargetKnown = false;
    DWORD m_dwTargetAttributes = INVALID_FILE_ATTRIBUTES; // as the stage found them
    bool m_bThroughHandle = true;
};

// True when nobody else holds the file open, as the comparison of opened
// files requires of a source.
bool CanOpenExclusively(const char* pszPath);

// nSum plus the size of the file, or nSum when it cannot be opened
// exclusively.
ULONGLONG AddFileSize(ULONGLONG nSum, const char* pszPath);

// Size text of the file ("" when it cannot be opened).
CString FormatFileSize(const char* pszPath);
// Creation and last-write time "%Y/%m/%d %H:%M:%S" ("" when unreadable).
CString FormatCreationTime(const char* pszPath);
CString FormatWriteTime(const char* pszPath);

// In place: the target of a shell link; unchanged when it is none.
char* ResolveShortcut(char* pszPath);
