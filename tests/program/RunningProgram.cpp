#include "RunningProgram.h"

#include <tlhelp32.h>

#include <vector>

const char* const PROGRAM_TITLE = "mrq BackupTool";

namespace {

const char* const PROGRAM_FILE_NAME = "mrq.exe";

} // namespace

std::string ProgramPath() {
    // Wine shows the Linux root as drive Z:.
    std::string strPath = MRQ_PROGRAM;
    for (char& ch : strPath) {
        if (ch == '/')
            ch = '\\';
    }
    return strPath;
}

CRunningProgram::CRunningProgram(const std::string& strArguments) {
    std::string strCommandLine = "\"" + ProgramPath() + "\"";
    if (!strArguments.empty())
        strCommandLine += " " + strArguments;
    std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process))
        m_process = {};
}

CRunningProgram::~CRunningProgram() {
    Kill();
    if (m_process.hThread)
        ::CloseHandle(m_process.hThread);
    if (m_process.hProcess)
        ::CloseHandle(m_process.hProcess);
}

HWND CRunningProgram::MainWindow() const {
    // Process id 0 would search every process.
    return Started() ? FindTopWindow(ProcessId(), PROGRAM_TITLE, false) : nullptr;
}

HWND CRunningProgram::WaitForMainWindow() const {
    return WaitForWindow(PROGRAM_TITLE, false);
}

HWND CRunningProgram::Dialog(const char* pszCaption) const {
    return Started() ? FindTopWindow(ProcessId(), pszCaption, true) : nullptr;
}

HWND CRunningProgram::WaitForDialog(const char* pszCaption) const {
    return WaitForWindow(pszCaption, true);
}

HWND CRunningProgram::WaitForWindow(const char* pszTitle, bool bDialog) const {
    if (!Started())
        return nullptr;
    HWND hFound = nullptr;
    WaitUntil([&] {
        hFound = FindTopWindow(ProcessId(), pszTitle, bDialog);
        return hFound != nullptr || !IsRunning();
    });
    return hFound;
}

std::string CRunningProgram::ItemText(HWND hDialog, int nID) {
    HWND hItem = ::GetDlgItem(hDialog, nID);
    return hItem ? WindowText(hItem) : "<no control>";
}

bool CRunningProgram::CloseAndWait() {
    HWND hMain = MainWindow();
    return hMain && ::PostMessageA(hMain, WM_CLOSE, 0, 0) && WaitForExit();
}

bool CRunningProgram::WaitForExit(DWORD dwTimeoutMs) const {
    return Started() && ::WaitForSingleObject(m_process.hProcess, dwTimeoutMs) == WAIT_OBJECT_0;
}

bool CRunningProgram::IsRunning() const {
    return ExitCode() == STILL_ACTIVE;
}

DWORD CRunningProgram::ExitCode() const {
    DWORD dwCode = 0;
    if (!Started() || !::GetExitCodeProcess(m_process.hProcess, &dwCode))
        return 0;
    return dwCode;
}

void CRunningProgram::Kill() {
    if (!IsRunning())
        return;
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, WINDOW_WAIT_MS);
}

void EndLeftoverPrograms() {
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore;
         bMore = ::Process32Next(hSnapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, PROGRAM_FILE_NAME) != 0)
            continue;
        HANDLE hProcess =
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!hProcess)
            continue;
        ::TerminateProcess(hProcess, 1);
        ::WaitForSingleObject(hProcess, WINDOW_WAIT_MS);
        ::CloseHandle(hProcess);
    }
    ::CloseHandle(hSnapshot);
}
