// The fixture of the tests that start the program itself. The program
// uses its real registry keys, so each test first puts the user's keys
// aside and starts from a machine where it was never installed; whatever
// the test leaves is thrown away and the saved keys come back. A program
// left running by a failed test is ended before the next one starts.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "SavedRegistryKey.h"
#include "ScratchTree.h"

// The settings under HKEY_CURRENT_USER.
extern const char* const COMPANY_KEY;  // "Software\Quenlow"
extern const char* const SETTINGS_KEY; // COMPANY_KEY + "\mrq BackupTool"
// The association and the uninstall entry under HKEY_LOCAL_MACHINE, where
// wine keeps what a program writes through HKEY_CLASSES_ROOT.
extern const char* const EXTENSION_KEY; // "Software\Classes\.mrd"
extern const char* const TYPE_KEY;      // "Software\Classes\mrdfile"
extern const char* const UNINSTALL_ENTRY_KEY;

class ProgramTest : public testing::Test {
protected:
    ProgramTest();
    void SetUp() override;
    void TearDown() override;

    // An installed program without a first-start notice: its settings key.
    static void MarkInstalled();
    // Settings\Button: "StartBackup" and "StartBackupExit". A data file
    // opened while "StartBackup" is 1 (its default) is backed up at once,
    // so tests about other things turn it off.
    static void StoreStartButtons(DWORD dwStartBackup, DWORD dwStartBackupExit);
    // An installed program after one normal start, closed again: settings
    // key, association and uninstall entry all exist.
    static void InstallAndClose();
    // Everything the program keeps in the registry, as text.
    static std::string DumpProgramKeys();
    // A copy of a data file from the tests' data folder on the scratch
    // drive, under its own name; returns the copy's full path.
    std::string CopyDataFile(const char* pszName, const char* pszCopyName) const;
    std::string ScratchPath(const char* pszName) const;
    // A data file of the sources (history 1, subfolders, no filter) and
    // the destination, written as the program writes one; its full path.
    std::string WriteSet(const char* pszName, const std::string& strDestination,
                         const std::vector<std::string>& sources) const;
    // The main view's file name label ("New DataFile" or the data file).
    static std::string FileLabel(HWND hMainWindow);
    // Settings\Window\<entry> as stored; -1 when missing.
    static long long StoredPlacement(const char* pszEntry);
    // The message of a message box.
    static std::string MessageBoxText(HWND hBox);
    // Waits for the program's end; false when a main window showed on the
    // way or the program did not end in time.
    static bool EndsWithoutMainWindow(const CRunningProgram& program);

    CScratchTree m_scratch;

private:
    std::vector<std::unique_ptr<CSavedRegistryKey>> m_savedKeys;
};

// The arguments that open a data file: its path in quotes.
std::string Quoted(const std::string& strPath);
