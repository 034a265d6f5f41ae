// Keeps a registry key aside while a test changes it freely, and puts it
// back when the object goes: the key with all it held, or no key at all
// when there was none.
#pragma once

#include <windows.h>

#include <string>

class CSavedRegistryKey {
public:
    CSavedRegistryKey(HKEY hRoot, const std::string& strKey);
    ~CSavedRegistryKey();
    CSavedRegistryKey(const CSavedRegistryKey&) = delete;
    CSavedRegistryKey& operator=(const CSavedRegistryKey&) = delete;

private:
    HKEY m_hRoot;
    std::string m_strKey;
    std::string m_strCopy; // under HKEY_CURRENT_USER; empty when nothing was saved
};
