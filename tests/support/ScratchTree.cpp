#include "ScratchTree.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

std::wstring WidenText(const char* psz) {
    int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &w[0], n);
    w.resize(w.size() - 1);
    return w;
}

// A path in the code page, where <U+XXXX> (as a snapshot writes it) stands
// for a character the code page lacks; a long one in the long form.
std::wstring Widen(const char* psz) {
    std::string text(psz);
    std::wstring w;
    size_t nStart = 0;
    for (size_t nAt; (nAt = text.find("<U+", nStart)) != std::string::npos;) {
        if (nAt + 8 > text.size() || text[nAt + 7] != '>')
            break;
        w += WidenText(text.substr(nStart, nAt - nStart).c_str());
        w += static_cast<wchar_t>(std::stoul(text.substr(nAt + 3, 4), nullptr, 16));
        nStart = nAt + 8;
    }
    w += WidenText(text.substr(nStart).c_str());
    if (w.size() >= MAX_PATH - 12 && w.size() >= 2 && w[1] == L':')
        w = L"\\\\?\\" + w;
    return w;
}

// The Linux path of a Windows path (wine's own export), or "".
std::string UnixPath(const std::wstring& path) {
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    // Through void*: a FARPROC has no parameters, so a direct cast warns.
    static auto pfnUnixName = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    char* psz = pfnUnixName ? pfnUnixName(path.c_str()) : nullptr;
    std::string unix = psz ? psz : "";
    if (psz)
        HeapFree(GetProcessHeap(), 0, psz);
    return unix;
}

// Runs a Linux program from a UTF-8 command line (Linux paths are UTF-8);
// wine gives no handle to wait on, so the caller polls for what it does.
bool RunUnixCommand(const std::string& command) {
    int n = MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, &wide[0], n);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &wide[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool PollUntil(bool (*pfnDone)(const std::wstring&), const std::wstring& path) {
    for (int i = 0; i < 250; ++i) {
        if (pfnDone(path))
            return true;
        Sleep(20);
    }
    return false;
}

bool ExistsW(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MissingW(const std::wstring& path) {
    return !ExistsW(path);
}

// A link cannot be removed through the system under wine: removing it
// removes the folder it points to, or fails.
bool RemoveLinkW(const std::wstring& path) {
    std::string unix = UnixPath(path);
    return !unix.empty() && RunUnixCommand("/bin/rm -f \"" + unix + "\"") &&
           PollUntil(MissingW, path);
}

void RemoveTreeW(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                RemoveLinkW(child);
                continue;
            }
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryW(path.c_str()))
        DeleteFileW(path.c_str()); // a file of its own
}

} // namespace

CScratchTree::CScratchTree(const char* pszName, char chDrive) {
    static int s_nCounter = 0;
    char sz[MAX_PATH];
    std::snprintf(sz, sizeof sz, "%c:\\%s_%lu_%d", chDrive, pszName, GetCurrentProcessId(),
                  ++s_nCounter);
    m_strRoot = sz;
    RemoveTree(m_strRoot);
    CreateDirectoryA(m_strRoot, nullptr);
}

CScratchTree::~CScratchTree() {
    RemoveTree(m_strRoot);
}

CString CScratchTree::Path(const char* pszRelative) const {
    return m_strRoot + "\\" + pszRelative;
}

CString CScratchTree::WriteFile(const char* pszRelative, const std::string& content) const {
    CString strPath = Path(pszRelative);
    WriteWholeFile(strPath, content);
    return strPath;
}

CString CScratchTree::MakeFolder(const char* pszRelative) const {
    CString strPath = Path(pszRelative);
    MakeFolders(strPath);
    return strPath;
}

std::wstring CScratchTree::WidePath(const wchar_t* pszRelative) const {
    return Widen(m_strRoot) + L"\\" + pszRelative;
}

std::wstring CScratchTree::MakeWideFolder(const wchar_t* pszRelative) const {
    std::wstring path = WidePath(pszRelative);
    for (size_t i = path.find(L'\\', 3); i != std::wstring::npos; i = path.find(L'\\', i + 1))
        CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

std::wstring CScratchTree::WriteWideFile(const wchar_t* pszRelative,
                                         const std::string& content) const {
    std::wstring relative = pszRelative;
    size_t nCut = relative.rfind(L'\\');
    if (nCut != std::wstring::npos)
        MakeWideFolder(relative.substr(0, nCut).c_str());
    std::wstring path = WidePath(pszRelative);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return path;
    DWORD dwWritten = 0;
    ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &dwWritten, nullptr);
    CloseHandle(h);
    return path;
}

bool MakeFolders(const char* pszPath) {
    std::wstring path = Widen(pszPath);
    size_t nFirst = path.compare(0, 4, L"\\\\?\\") == 0 ? 7 : 3;
    for (size_t i = nFirst; i < path.size(); ++i)
        if (path[i] == L'\\')
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteWholeFile(const char* pszPath, const std::string& content) {
    std::wstring path = Widen(pszPath);
    size_t nFirst = path.compare(0, 4, L"\\\\?\\") == 0 ? 7 : 3;
    for (size_t i = nFirst; i < path.size(); ++i) // parent folders first
        if (path[i] == L'\\')
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    BOOL bOk =
        ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &dwWritten, nullptr);
    CloseHandle(h);
    return bOk && dwWritten == content.size();
}

bool MakeSparseFile(const char* pszPath, LONGLONG nSize) {
    if (!WriteWholeFile(pszPath, std::string()))
        return false;
    HANDLE h = CreateFileW(Widen(pszPath).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    size.QuadPart = nSize;
    bool bSized = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return bSized;
}

std::string ReadWholeFile(const char* pszPath) {
    return ReadWideFile(Widen(pszPath));
}

bool WidePathExists(const std::wstring& path) {
    return ExistsW(path);
}

std::string ReadWideFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char buffer[65536];
    DWORD dwRead = 0;
    while (ReadFile(h, buffer, sizeof buffer, &dwRead, nullptr) && dwRead > 0)
        content.append(buffer, dwRead);
    CloseHandle(h);
    return content;
}

bool PathExists(const char* pszPath) {
    return GetFileAttributesW(Widen(pszPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const char* pszPath) {
    std::wstring path = Widen(pszPath);
    if (path.size() >= 2 && path[1] == L':')
        path = L"\\\\?\\" + path;
    RemoveTreeW(path);
}

bool SetWriteTime(const char* pszPath, int nYear, int nMonth, int nDay, int nHour, int nMin,
                  int nSec) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMin);
    st.wSecond = static_cast<WORD>(nSec);
    FILETIME local, utc;
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return false;
    std::wstring path = Widen(pszPath);
    DWORD dwAttributes = GetFileAttributesW(path.c_str());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    bool bOk = h != INVALID_HANDLE_VALUE && SetFileTime(h, nullptr, &utc, &utc);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    SetFileAttributesW(path.c_str(), dwAttributes);
    return bOk;
}

DWORD Attributes(const char* pszPath) {
    return GetFileAttributesW(Widen(pszPath).c_str());
}

int CountFiles(const char* pszFolder) {
    int n = 0;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((std::string(pszFolder) + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            n += CountFiles((std::string(pszFolder) + "\\" + name).c_str());
        else
            ++n;
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return n;
}

namespace {

// The name in the code page, each character it lacks as <U+XXXX>.
std::string KeyOf(const std::wstring& name) {
    std::string key;
    for (wchar_t ch : name) {
        char sz[16];
        BOOL bUsedDefault = FALSE;
        int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &ch, 1, sz, sizeof sz, nullptr,
                                    &bUsedDefault);
        if (n <= 0 || bUsedDefault)
            n = std::snprintf(sz, sizeof sz, "<U+%04X>", static_cast<unsigned>(ch));
        key.append(sz, static_cast<size_t>(n));
    }
    return key;
}

void SnapshotInto(const std::wstring& folder, const std::string& relative, CTreeSnapshot& out) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = folder + L"\\" + name;
        std::string key = relative + KeyOf(name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[key] = "<folder>";
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                SnapshotInto(path, key + "\\", out);
        } else {
            out[key] = ReadWideFile(path);
        }
    } while (FindNextFileW(h, &data));
    FindClose(h);
}

} // namespace

CTreeSnapshot SnapshotTree(const char* pszFolder) {
    CTreeSnapshot snapshot;
    SnapshotInto(Widen(pszFolder), "", snapshot);
    return snapshot;
}

CTreeSnapshot Without(CTreeSnapshot snapshot, std::initializer_list<const char*> prefixes) {
    for (auto it = snapshot.begin(); it != snapshot.end();) {
        bool bDrop = false;
        for (const char* pszPrefix : prefixes) {
            std::string prefix(pszPrefix);
            bDrop = bDrop || it->first == prefix ||
                    it->first.compare(0, prefix.size() + 1, prefix + "\\") == 0;
        }
        it = bDrop ? snapshot.erase(it) : std::next(it);
    }
    return snapshot;
}

bool MakeFolderLink(const char* pszLink, const char* pszTarget) {
    std::string unix = UnixPath(Widen(pszLink));
    std::string target = pszTarget;
    if (target.size() >= 2 && target[1] == ':')
        target = UnixPath(Widen(pszTarget));
    return !unix.empty() && !target.empty() &&
           RunUnixCommand("/bin/ln -s \"" + target + "\" \"" + unix + "\"") &&
           PollUntil(ExistsW, Widen(pszLink));
}

bool RemoveFolderLink(const char* pszLink) {
    return RemoveLinkW(Widen(pszLink));
}

namespace {

// The prefix's dosdevices folder, where each drive letter is a link.
std::string DosDevices() {
    std::string c = UnixPath(L"C:\\"); // ".../dosdevices/c:/"
    size_t nCut = c.rfind("/c:");
    return nCut == std::string::npos ? std::string() : c.substr(0, nCut);
}

std::wstring DriveRoot(char chDrive) {
    return std::wstring(1, static_cast<wchar_t>(chDrive)) + L":\\";
}

} // namespace

bool MapDriveLetter(char chDrive, const char* pszFolder) {
    std::string devices = DosDevices(), target = UnixPath(Widen(pszFolder));
    if (devices.empty() || target.empty())
        return false;
    std::string link = devices + "/" + static_cast<char>(std::tolower(chDrive)) + ":";
    return RunUnixCommand("/bin/ln -sfn \"" + target + "\" \"" + link + "\"") &&
           PollUntil(ExistsW, DriveRoot(chDrive));
}

bool UnmapDriveLetter(char chDrive) {
    std::string devices = DosDevices();
    if (devices.empty())
        return false;
    std::string link = devices + "/" + static_cast<char>(std::tolower(chDrive)) + ":";
    return RunUnixCommand("/bin/rm -f \"" + link + "\"") && PollUntil(MissingW, DriveRoot(chDrive));
}

namespace {

int CountEntriesW(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (FindNextFileW(h, &data));
    FindClose(h);
    return n;
}

} // namespace

bool WriteFileOnTheLinuxSide(const char* pszFolder, const char* pszName) {
    std::wstring folder = Widen(pszFolder);
    std::string unix = UnixPath(folder);
    int nBefore = CountEntriesW(folder);
    if (unix.empty() || !RunUnixCommand("/usr/bin/touch \"" + unix + "/" + pszName + "\""))
        return false;
    for (int i = 0; i < 250; ++i) {
        if (CountEntriesW(folder) > nBefore)
            return true;
        Sleep(20);
    }
    return false;
}
