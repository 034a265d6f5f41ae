// What the fault cases share: sets written as data files, backups run in a
// child process (the fault driver) that a case may kill or take a drive
// from, and the measures of the outcome: versions lost, partial files
// under a real name, and changes outside the mirrors.
#pragma once

#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ScratchTree.h"

// A source entry of a data file: folder text, mirror text, history limit.
struct CSetEntry {
    std::string folder;
    std::string mirror;
    int nHistory = 1;
};

std::string DataFileText(const std::string& destination, const std::vector<CSetEntry>& entries);

// The outcome of one driver run, from its result file.
struct CDriverResult {
    bool bRan = false;     // the driver wrote a result
    bool bKilled = false;  // the case ended it before it finished
    bool bRefused = false; // the Start command's checks refused the set
    int nStatus = -1;
    std::string message;
    std::vector<std::string> warnings;
    std::vector<std::string> refusedFolders; // folder texts the data file's loading left out
    std::vector<std::string> mirrors;
    bool bCopyBegan = false; // the driver gave the go-ahead
    DWORD dwCopyMs = 0;      // how long its copies took, by its own clock
};

struct CDriverRun {
    std::string dataFile;
    std::vector<std::string> arguments; // after the data and result files
    // Called once, this many ms after the start (-1: never); for a kill or
    // a drive taken away. With bFromCopyStart the ms count from the
    // go-ahead instead, the moment files begin to be copied: a run's start
    // takes as long as its copies or longer, and varies more.
    int nActAfterMs = -1;
    bool bFromCopyStart = false;
    std::function<void(HANDLE hProcess)> act;
    DWORD dwTimeoutMs = 120000; // killed and counted as hung after this
};

class CFaultWorld {
public:
    CFaultWorld(const std::string& driver, const std::string& scratch);

    CDriverResult Run(const CDriverRun& run);
    const std::string& Scratch() const { return m_scratch; }
    std::mt19937& Random() { return m_random; }

private:
    std::string m_driver;
    std::string m_scratch;
    int m_nRun = 0;
    std::mt19937 m_random{20261209};
};

// Version bookkeeping of files under a folder: every content ever seen for
// a relative path, so that a file holding none of them is partial.
using CVersions = std::map<std::string, std::set<std::string>>;

// Files of the snapshot named like a copy being made (CStagedCopy).
int CountStagingFiles(const CTreeSnapshot& snapshot);

// The paths of the entries that differ, each with how.
std::vector<std::string> ChangedKeys(const CTreeSnapshot& before, const CTreeSnapshot& after);

// Entries of after that differ from before (changed, added or gone).
int CountChanges(const CTreeSnapshot& before, const CTreeSnapshot& after);

// A row of the printed table.
struct CFaultRow {
    std::string fault;
    int nCases = 0;
    int nLost = 0;
    int nPartial = 0;
    int nOutside = 0;
    std::set<std::string> seen; // "status: message", warnings summarised
    std::vector<std::string> notes;
    bool bSkipped = false;
    // Most of the row's faults missed what they aim at (kills after the
    // run had ended, say): the row proved little, and the suite fails.
    bool bMissedItsAim = false;
};

void PrintTable(const std::vector<CFaultRow>& rows);
