#include "ProgramTest.h"

#include "DocTestSupport.h"
#include "RegistryDump.h"
#include "RegistryTestSupport.h"
#include "resource.h"

const char* const COMPANY_KEY = "Software\\Quenlow";
const char* const SETTINGS_KEY = "Software\\Quenlow\\mrq BackupTool";
const char* const EXTENSION_KEY = "Software\\Classes\\.mrd";
const char* const TYPE_KEY = "Software\\Classes\\mrdfile";
const char* const UNINSTALL_ENTRY_KEY =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\mrq BackupTool";

namespace {

const char* const MACHINE_KEYS[] = {EXTENSION_KEY, TYPE_KEY, UNINSTALL_ENTRY_KEY};

} // namespace

ProgramTest::ProgramTest() : m_scratch("program") {}

void ProgramTest::SetUp() {
    EndLeftoverPrograms();
    m_savedKeys.push_back(std::make_unique<CSavedRegistryKey>(HKEY_CURRENT_USER, COMPANY_KEY));
    RegDeleteTreeA(HKEY_CURRENT_USER, COMPANY_KEY);
    for (const char* pszKey : MACHINE_KEYS) {
        m_savedKeys.push_back(std::make_unique<CSavedRegistryKey>(HKEY_LOCAL_MACHINE, pszKey));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, pszKey);
    }
}

void ProgramTest::TearDown() {
    EndLeftoverPrograms();
    while (!m_savedKeys.empty())
        m_savedKeys.pop_back();
}

void ProgramTest::MarkInstalled() {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &hKey, nullptr) == ERROR_SUCCESS)
        RegCloseKey(hKey);
}

void ProgramTest::StoreStartButtons(DWORD dwStartBackup, DWORD dwStartBackupExit) {
    std::string strKey = std::string(SETTINGS_KEY) + "\\Settings\\Button";
    SetNumber(HKEY_CURRENT_USER, strKey.c_str(), "StartBackup", dwStartBackup);
    SetNumber(HKEY_CURRENT_USER, strKey.c_str(), "StartBackupExit", dwStartBackupExit);
}

void ProgramTest::InstallAndClose() {
    MarkInstalled();
    CRunningProgram program;
    ASSERT_NE(nullptr, program.WaitForMainWindow());
    ASSERT_TRUE(program.CloseAndWait());
    ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, EXTENSION_KEY));
    ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY));
}

std::string ProgramTest::DumpProgramKeys() {
    std::string strDump = DumpKey(HKEY_CURRENT_USER, COMPANY_KEY);
    for (const char* pszKey : MACHINE_KEYS)
        strDump += std::string("[") + pszKey + "]\n" + DumpKey(HKEY_LOCAL_MACHINE, pszKey);
    return strDump;
}

std::string ProgramTest::CopyDataFile(const char* pszName, const char* pszCopyName) const {
    return m_scratch.WriteFile(pszCopyName, ReadWholeFile(TestDataPath(pszName).c_str())).str();
}

std::string ProgramTest::ScratchPath(const char* pszName) const {
    return m_scratch.Path(pszName).str();
}

std::string ProgramTest::WriteSet(const char* pszName, const std::string& strDestination,
                                  const std::vector<std::string>& sources) const {
    std::string strText = "mrq Backup File \tHeaderVersion 2.1\r\n" + strDestination + "\t\r\n";
    for (const std::string& strSource : sources)
        strText += strSource + "\t->\t\t1\t\tする\t-1\t\r\n";
    return m_scratch.WriteFile(pszName, strText).str();
}

std::string ProgramTest::FileLabel(HWND hMainWindow) {
    HWND hLabel = FindDescendant(hMainWindow, IDC_FILE_NAME);
    return hLabel ? WindowText(hLabel) : "<no label>";
}

long long ProgramTest::StoredPlacement(const char* pszEntry) {
    return ReadNumber(HKEY_CURRENT_USER, (std::string(SETTINGS_KEY) + "\\Settings\\Window").c_str(),
                      pszEntry);
}

std::string ProgramTest::MessageBoxText(HWND hBox) {
    // The number Windows gives a message box's text.
    const int MESSAGE_TEXT_ID = 0xFFFF;
    return CRunningProgram::ItemText(hBox, MESSAGE_TEXT_ID);
}

bool ProgramTest::EndsWithoutMainWindow(const CRunningProgram& program) {
    bool bShowedWindow = false;
    bool bEnded = WaitUntil([&] {
        bShowedWindow = bShowedWindow || program.MainWindow() != nullptr;
        return !program.IsRunning();
    });
    return bEnded && !bShowedWindow;
}

std::string Quoted(const std::string& strPath) {
    return "\"" + strPath + "\"";
}
