#include "RegistryDump.h"

#include <cstdio>
#include <vector>

namespace {

std::string HexBytes(const BYTE* pBytes, DWORD cb) {
    std::string strHex;
    char szByte[4];
    for (DWORD i = 0; i < cb; ++i) {
        std::snprintf(szByte, sizeof szByte, "%02x", pBytes[i]);
        strHex += szByte;
    }
    return strHex;
}

void DumpValues(HKEY hKey, const std::string& strPrefix, std::string& strOut) {
    char szName[16384];
    std::vector<BYTE> data(65536);
    for (DWORD nIndex = 0;; ++nIndex) {
        DWORD cchName = sizeof szName;
        DWORD cbData = static_cast<DWORD>(data.size());
        DWORD dwType = 0;
        if (::RegEnumValueA(hKey, nIndex, szName, &cchName, nullptr, &dwType, data.data(),
                            &cbData) != ERROR_SUCCESS)
            return;
        strOut += strPrefix + szName + " = " + std::to_string(dwType) + ":" +
                  HexBytes(data.data(), cbData) + "\n";
    }
}

void DumpTree(HKEY hKey, const std::string& strPrefix, std::string& strOut) {
    DumpValues(hKey, strPrefix, strOut);
    char szSubkey[256];
    for (DWORD nIndex = 0;; ++nIndex) {
        DWORD cchSubkey = sizeof szSubkey;
        if (::RegEnumKeyExA(hKey, nIndex, szSubkey, &cchSubkey, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            return;
        HKEY hSubkey = nullptr;
        std::string strPath = strPrefix + szSubkey + "\\";
        strOut += strPath + "\n";
        if (::RegOpenKeyExA(hKey, szSubkey, 0, KEY_READ, &hSubkey) != ERROR_SUCCESS)
            continue;
        DumpTree(hSubkey, strPath, strOut);
        ::RegCloseKey(hSubkey);
    }
}

} // namespace

std::string DumpKey(HKEY hRoot, const std::string& strKey) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return "<missing>";
    std::string strOut;
    DumpTree(hKey, "", strOut);
    ::RegCloseKey(hKey);
    return strOut;
}
