#include "FaultWorld.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FileOps.h"
#include "Handle.h"
#include "PathText.h"

std::string DataFileText(const std::string& destination, const std::vector<CSetEntry>& entries) {
    std::string text =
        "mrq Backup File \tHeaderVersion 2.1\r\n" + destination + "\t2026/12/09 00:00:00\r\n";
    for (const CSetEntry& e : entries)
        text += e.folder + "\t->\t" + e.mirror + "\t" + std::to_string(e.nHistory) +
                "\t\tする\t-1\t\r\n";
    return text;
}

CFaultWorld::CFaultWorld(const std::string& driver, const std::string& scratch)
    : m_driver(driver), m_scratch(scratch) {}

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void ParseResult(const std::string& text, CDriverResult& result) {
    for (size_t nStart = 0; nStart < text.size();) {
        size_t nEnd = text.find('\n', nStart);
        std::string line = text.substr(nStart, nEnd - nStart);
        nStart = nEnd == std::string::npos ? text.size() : nEnd + 1;
        size_t nEquals = line.find('=');
        if (nEquals == std::string::npos)
            continue;
        std::string key = line.substr(0, nEquals), value = line.substr(nEquals + 1);
        if (key == "status")
            result.nStatus = std::atoi(value.c_str());
        else if (key == "message")
            result.message = value;
        else if (key == "warning")
            result.warnings.push_back(value);
        else if (key == "refusedfolder")
            result.refusedFolders.push_back(value);
        else if (key == "mirror")
            result.mirrors.push_back(value);
        else if (key == "refused")
            result.bRefused = true;
        else if (key == "copyms")
            result.dwCopyMs = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 10));
    }
}

} // namespace

namespace {

// Acts on the process unless it ends within dwMs; true when the act ended
// it before it wrote its result.
bool ActUnlessEnded(const CDriverRun& run, HANDLE hProcess, DWORD dwMs,
                    const std::string& resultFile) {
    if (WaitForSingleObject(hProcess, dwMs) != WAIT_TIMEOUT)
        return false;
    run.act(hProcess);
    return WaitForSingleObject(hProcess, 0) == WAIT_OBJECT_0 && !PathExists(resultFile.c_str());
}

DWORD TimeLeft(const CDriverRun& run, DWORD dwStart) {
    DWORD dwPassed = GetTickCount() - dwStart;
    return dwPassed < run.dwTimeoutMs ? run.dwTimeoutMs - dwPassed : 0;
}

} // namespace

CDriverResult CFaultWorld::Run(const CDriverRun& run) {
    std::string resultFile = m_scratch + "\\result" + std::to_string(++m_nRun) + ".txt";
    DeleteFileA(resultFile.c_str());
    // Set by the driver at the go-ahead; named for this run alone.
    std::string copyEvent =
        "mrq fault copy " + std::to_string(GetCurrentProcessId()) + "." + std::to_string(m_nRun);
    CHandle hCopy(CreateEventA(nullptr, TRUE, FALSE, copyEvent.c_str()));
    std::string command = Quoted(m_driver) + " " + Quoted(run.dataFile) + " " + Quoted(resultFile);
    for (const std::string& argument : run.arguments)
        command += " " + Quoted(argument);
    command += " --signal-copy " + Quoted(copyEvent);

    CDriverResult result;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return result;
    CloseHandle(pi.hThread);
    DWORD dwStart = GetTickCount();
    bool bAct = run.nActAfterMs >= 0 && run.act;
    if (bAct && !run.bFromCopyStart)
        result.bKilled =
            ActUnlessEnded(run, pi.hProcess, static_cast<DWORD>(run.nActAfterMs), resultFile);
    // The go-ahead, or the end of a run that never got that far.
    HANDLE waits[] = {hCopy, pi.hProcess};
    if (WaitForMultipleObjects(2, waits, FALSE, TimeLeft(run, dwStart)) == WAIT_OBJECT_0) {
        result.bCopyBegan = true;
        if (bAct && run.bFromCopyStart)
            result.bKilled =
                ActUnlessEnded(run, pi.hProcess, static_cast<DWORD>(run.nActAfterMs), resultFile);
    }
    if (WaitForSingleObject(pi.hProcess, TimeLeft(run, dwStart)) == WAIT_TIMEOUT) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
        result.bKilled = true;
        result.message = "hung: killed after " + std::to_string(run.dwTimeoutMs / 1000) + " s";
    }
    CloseHandle(pi.hProcess);
    if (PathExists(resultFile.c_str())) {
        result.bRan = true;
        ParseResult(ReadWholeFile(resultFile.c_str()), result);
    }
    return result;
}

int CountStagingFiles(const CTreeSnapshot& snapshot) {
    int n = 0;
    for (const auto& entry : snapshot) {
        size_t nCut = entry.first.rfind('\\');
        // The relative paths come from real names; a trail byte 0x5C
        // before the last component would only add a false count.
        std::string name = nCut == std::string::npos ? entry.first : entry.first.substr(nCut + 1);
        n += entry.second != "<folder>" && IsStagingName(name.c_str());
    }
    return n;
}

std::vector<std::string> ChangedKeys(const CTreeSnapshot& before, const CTreeSnapshot& after) {
    std::vector<std::string> keys;
    for (const auto& entry : before) {
        auto it = after.find(entry.first);
        if (it == after.end() || it->second != entry.second)
            keys.push_back(entry.first + (it == after.end() ? " (gone)" : " (changed)"));
    }
    for (const auto& entry : after)
        if (before.find(entry.first) == before.end())
            keys.push_back(entry.first + " (added)");
    return keys;
}

int CountChanges(const CTreeSnapshot& before, const CTreeSnapshot& after) {
    int n = 0;
    for (const auto& entry : before) {
        auto it = after.find(entry.first);
        n += it == after.end() || it->second != entry.second;
    }
    for (const auto& entry : after)
        n += before.find(entry.first) == before.end();
    return n;
}

namespace {

std::string Cell(const std::string& text, size_t nWidth) {
    // Widths count bytes; a double-byte character is two columns wide.
    return text.size() >= nWidth ? text : text + std::string(nWidth - text.size(), ' ');
}

} // namespace

void PrintTable(const std::vector<CFaultRow>& rows) {
    size_t nWidth = 44;
    for (const CFaultRow& row : rows)
        nWidth = std::max(nWidth, row.fault.size() + 1);
    std::printf("\n%s| cases | lost | partial | outside | status and message seen\n",
                Cell("fault", nWidth).c_str());
    std::printf("%s|-------|------|---------|---------|------------------------\n",
                std::string(nWidth, '-').c_str());
    int nLost = 0, nPartial = 0, nOutside = 0;
    for (const CFaultRow& row : rows) {
        std::string seen;
        for (const std::string& s : row.seen)
            seen += (seen.empty() ? "" : "; ") + s;
        if (row.bSkipped) {
            std::printf("%s| skipped: %s\n", Cell(row.fault, nWidth).c_str(),
                        row.notes.empty() ? "" : row.notes[0].c_str());
            continue;
        }
        std::printf("%s| %5d | %4d | %7d | %7d | %s\n", Cell(row.fault, nWidth).c_str(), row.nCases,
                    row.nLost, row.nPartial, row.nOutside, seen.c_str());
        for (const std::string& note : row.notes)
            std::printf("%s|       |      |         |         |   %s\n",
                        std::string(nWidth, ' ').c_str(), note.c_str());
        if (row.bMissedItsAim)
            std::printf("%s|       |      |         |         |   MISSED: most faults came "
                        "where they test nothing\n",
                        std::string(nWidth, ' ').c_str());
        nLost += row.nLost;
        nPartial += row.nPartial;
        nOutside += row.nOutside;
    }
    std::printf("\nfiles lost: %d, partial files under a real name: %d, changes outside the "
                "mirrors: %d\n",
                nLost, nPartial, nOutside);
}
