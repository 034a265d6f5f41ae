// One start of the program (mrq.exe), watched and driven from outside: its
// main window and dialogs are found by caption, closed by message, and the
// process is waited for with a time limit. A program still running when the
// object goes (a failed test) is ended, so it cannot hold the
// single-instance mutex into the next test.
#pragma once

#include <windows.h>

#include <string>

#include "TopWindows.h"

// The program file the tests start, as a Windows path.
std::string ProgramPath();

// The caption of the main window, the name of the single-instance mutex.
extern const char* const PROGRAM_TITLE; // "mrq BackupTool"

class CRunningProgram {
public:
    // Starts the program; strArguments becomes the command line after the
    // program's name exactly as given (quotes, blanks and all).
    explicit CRunningProgram(const std::string& strArguments = "");
    ~CRunningProgram();
    CRunningProgram(const CRunningProgram&) = delete;
    CRunningProgram& operator=(const CRunningProgram&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HANDLE ProcessHandle() const { return m_process.hProcess; }

    // The visible main window now, or after waiting for it; null when there
    // is none (the wait ends early once the process has ended).
    HWND MainWindow() const;
    HWND WaitForMainWindow() const;
    // A visible dialog or message box of the program with this caption.
    HWND Dialog(const char* pszCaption) const;
    HWND WaitForDialog(const char* pszCaption) const;
    // The text of a dialog's control.
    static std::string ItemText(HWND hDialog, int nID);

    // Closes the main window as its close box would and waits for the end.
    bool CloseAndWait();
    bool WaitForExit(DWORD dwTimeoutMs = WINDOW_WAIT_MS) const;
    bool IsRunning() const;
    // The exit code; STILL_ACTIVE while running.
    DWORD ExitCode() const;
    void Kill();

private:
    HWND WaitForWindow(const char* pszTitle, bool bDialog) const;

    PROCESS_INFORMATION m_process = {};
};

// Ends every mrq.exe process still running in this wine prefix: what an
// earlier, aborted test run may have left behind.
void EndLeftoverPrograms();
