// What start-up does in the registry: tells a first start, sets the
// profile root (with a new user's defaults), renews the association and
// the uninstall entry at every normal start, and removes all of it when
// the user confirms the uninstall. The dialogs around these steps belong to
// the caller.
#pragma once

#include "Profile.h"

extern const char* const COMPANY_NAME;           // "Quenlow"
extern const char* const DATAFILE_EXTENSION;     // "mrd", without period
extern const char* const DATAFILE_TYPE;          // "mrdfile"
extern const char* const UNINSTALL_ARGUMENT;     // "/uninstall"
extern const char* const UNINSTALL_DISPLAY_NAME; // "mrq BackupToolの削除"

// The whole command line after the program name must equal the argument,
// byte for byte.
bool IsUninstallCommand(const char* pszCommandLine);

// True while the program's settings key does not exist: never started, or
// uninstalled since. Asked before the profile root is set, since any
// profile access creates the key.
bool IsFirstStart(const char* pszTitle);

// Sets the profile root under the company key; on a first start also
// writes the never-copied extensions a new user starts with.
void OpenProfile(CProfile& profile, bool bFirstStart);

// Points the data file type at this program file and renews the uninstall
// entry; both follow the program when it moves. Failures are ignored.
void RenewShellRegistration(const char* pszTitle);

// The confirmed uninstall: the settings key (and an empty company key),
// the association when it is still ours, the uninstall entry.
void RemoveInstallation(const char* pszTitle);
