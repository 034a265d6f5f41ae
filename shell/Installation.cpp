#include "Installation.h"

#include <cstring>

#include "Settings.h"
#include "SystemRegistry.h"

const char* const COMPANY_NAME = "Quenlow";
const char* const DATAFILE_EXTENSION = "mrd";
const char* const DATAFILE_TYPE = "mrdfile";
const char* const UNINSTALL_ARGUMENT = "/uninstall";
const char* const UNINSTALL_DISPLAY_NAME = "mrq BackupToolの削除";

bool IsUninstallCommand(const char* pszCommandLine) {
    return pszCommandLine != nullptr && std::strcmp(pszCommandLine, UNINSTALL_ARGUMENT) == 0;
}

bool IsFirstStart(const char* pszTitle) {
    return !CSystemRegistry().IsSettingsTreePresent(COMPANY_NAME, pszTitle);
}

void OpenProfile(CProfile& profile, bool bFirstStart) {
    profile.SetRegistryKey(COMPANY_NAME);
    if (bFirstStart)
        WriteNoCopyDefaults(profile);
}

void RenewShellRegistration(const char* pszTitle) {
    CSystemRegistry registry;
    registry.RegisterFileType(DATAFILE_EXTENSION, nullptr);
    registry.WriteUninstallEntry(pszTitle, UNINSTALL_DISPLAY_NAME, UNINSTALL_ARGUMENT);
}

void RemoveInstallation(const char* pszTitle) {
    CSystemRegistry registry;
    registry.DeleteSettingsTree(COMPANY_NAME, pszTitle);
    registry.UnregisterFileType(DATAFILE_EXTENSION, DATAFILE_TYPE);
    registry.DeleteUninstallEntry(pszTitle);
}
