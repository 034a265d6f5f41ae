// The scene most fault cases run in: a source folder with its mirror and
// history, the versions of its files, and the measures of a run in it
// (versions lost, partial files under a real name, changes outside the
// mirror), with the runs the cases share.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "FaultWorld.h"

// Content of one version of a file: unique text, padded to a size of its own.
std::string Version(const std::string& rel, int nVersion, size_t nSize);

// One source folder (D:), its mirror and history in a destination (E:),
// with things around them that a run must leave alone, built afresh for
// every case and every kill point.
class CScene {
public:
    explicit CScene(const char* pszName, char chDestinationDrive = 'E');

    // A file of the source whose mirror holds an older version (or the
    // same one when bChanged is false), with nGenerations older ones in the
    // history. When they fill all nLimit generations, the update pushes the
    // oldest out: that version may go.
    void AddFile(const std::string& rel, size_t nSize, int nGenerations, int nLimit,
                 bool bChanged = true);

    // A source file whose content changes in a way the case knows of.
    void AddKnownContent(const std::string& rel, const std::string& content);

    CString Generation(int g) const;

    // Every version of every file in the mirror and the generations.
    CVersions Versions() const;

    // Versions held before and missing now, except an oldest one pushed out.
    int CountLost(const CVersions& before, const CVersions& after,
                  std::vector<std::string>* pNotes = nullptr) const;

    // Files under a real name in the mirror or its history that hold none
    // of the versions their file ever had.
    int CountPartial(std::vector<std::string>* pNotes = nullptr) const;

    int CountStaging() const;

    // Whatever lies outside the mirror and its history tree, the sources
    // included.
    CTreeSnapshot Outside() const;

    bool MirrorEqualsSource() const;

    // The set as a data file: this source (or a text for it) into the
    // destination.
    std::string WriteSet(int nHistory, const std::string& folderText = "") const;

    CScratchTree m_sources, m_destinations;
    CString m_source, m_destination, m_mirror;

private:
    static void AddIfPresent(std::set<std::string>& seen, const CString& strPath);
    bool IsPartial(const std::string& rel, const std::string& content) const;

    std::map<std::string, std::set<std::string>> m_known; // every content of each file
    std::map<std::string, std::string> m_pushedOut;       // an oldest version that may go
};

// What the user saw of a run: its status and message, or why there is none.
std::string Seen(const CDriverResult& result);

// The kinds of warning seen, without their paths.
void AddSeen(const CDriverResult& result, CFaultRow& row);

// Measures one run of a scene: versions lost, partial files under a real
// name, changes outside the mirror and its history.
// pszCaseChanged: a source file the case itself changes during the run.
void Measure(const CScene& scene, const CVersions& before, const CTreeSnapshot& outside,
             const CDriverResult& result, CFaultRow& row, const char* pszCaseChanged = nullptr);

// The undisturbed run after a fault: the mirror must come level with the
// source, no staging file may stay and no version may have gone.
void Recover(CFaultWorld& world, const CScene& scene, const std::string& set,
             const CVersions& before, CFaultRow& row);

// How long one undisturbed run of the set takes, start-up included.
DWORD TimeOf(CFaultWorld& world, const std::string& set);

using CBuild = void (*)(CScene& scene);

// How long the copies of a fresh scene take, from the go-ahead to the end
// of the run (the driver's own measure): the shorter of two runs, so that
// one slowed run does not push the kill points past the end of the others.
DWORD CopyTimeOf(CFaultWorld& world, CBuild build, int nLimit);

// One run of a scene with a fault made by the case: measured, then the
// next run.
CFaultRow OneFault(const char* pszFault, CFaultWorld& world, CScene& scene, int nLimit,
                   const std::vector<std::string>& arguments, bool bRecover = true,
                   const char* pszCaseChanged = nullptr);

// A row that could not be run here, and why.
CFaultRow Skipped(const char* pszFault, const char* pszWhy);

// Five small files, each with one older version in the history.
void BuildFew(CScene& scene);
