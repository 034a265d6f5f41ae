// A registry key written out as text, so that "nothing changed" is one
// comparison of two dumps taken before and after.
#pragma once

#include <windows.h>

#include <string>

// One line per value, "subkey\name = type:hex bytes", then the subkeys in
// the order the registry lists them; "<missing>" when the key is absent.
std::string DumpKey(HKEY hRoot, const std::string& strKey);
